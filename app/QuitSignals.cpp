#include "app/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>

namespace polygrav {

namespace {

constexpr std::array<int, 3> kQuitSignals = {SIGTERM, SIGINT, SIGHUP};

// The self-pipe: the handler writes one byte, the event loop reads it.
int g_pipe[2] = {-1, -1};
std::array<struct sigaction, kQuitSignals.size()> g_previous{};

extern "C" void OnQuitSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (write(g_pipe[1], &byte, 1) < 0) {
        // The pipe is full: a request is already waiting.
    }
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::OnReadable);

    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
        sigaction(kQuitSignals[i], &action, &g_previous[i]);
    }
}

QuitSignals::~QuitSignals() {
    if (g_pipe[0] < 0) {
        return;
    }
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
        sigaction(kQuitSignals[i], &g_previous[i], nullptr);
    }
    delete notifier_;
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitSignals::OnReadable() {
    char buffer[16];
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    emit quitRequested();
}

}  // namespace polygrav
