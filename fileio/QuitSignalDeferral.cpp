#include "fileio/QuitSignalDeferral.h"

#include <pthread.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>

namespace polygrav {

namespace {

constexpr std::array<int, 3> kDeferredSignals = {SIGTERM, SIGINT, SIGHUP};

// Signals caught by the recording handler, one flag each.
std::array<std::atomic<bool>, kDeferredSignals.size()> g_recorded{};

// Live deferrals of the process and which signals got the recording
// handler; guarded by g_mutex.
std::mutex g_mutex;
int g_processDepth = 0;
std::array<bool, kDeferredSignals.size()> g_replaced{};

// Deferrals of this thread and the signal mask it had before the first.
thread_local int t_threadDepth = 0;
thread_local sigset_t t_savedMask;

extern "C" void RecordDeferredSignal(int signal) {
    for (std::size_t i = 0; i < kDeferredSignals.size(); ++i) {
        if (kDeferredSignals[i] == signal) g_recorded[i].store(true);
    }
}

sigset_t DeferredSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kDeferredSignals) sigaddset(&set, signal);
    return set;
}

void StandInForDefaultActions() {
    struct sigaction recording {};
    recording.sa_handler = RecordDeferredSignal;
    sigemptyset(&recording.sa_mask);
    recording.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kDeferredSignals.size(); ++i) {
        struct sigaction current {};
        g_replaced[i] = false;
        if (sigaction(kDeferredSignals[i], nullptr, &current) != 0) continue;
        const bool isDefault =
            (current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_DFL;
        if (isDefault) g_replaced[i] = sigaction(kDeferredSignals[i], &recording, nullptr) == 0;
    }
}

// Puts the default actions back where the recording handler still stands;
// a handler installed meanwhile by someone else stays.
void RestoreDefaultActions() {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (std::size_t i = 0; i < kDeferredSignals.size(); ++i) {
        if (!g_replaced[i]) continue;
        g_replaced[i] = false;
        struct sigaction current {};
        if (sigaction(kDeferredSignals[i], nullptr, &current) == 0 &&
            (current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == RecordDeferredSignal) {
            sigaction(kDeferredSignals[i], &byDefault, nullptr);
        }
    }
}

}  // namespace

QuitSignalDeferral::QuitSignalDeferral() {
    if (t_threadDepth++ > 0) return;
    const sigset_t deferred = DeferredSet();
    pthread_sigmask(SIG_BLOCK, &deferred, &t_savedMask);
    const std::lock_guard<std::mutex> lock(g_mutex);
    if (g_processDepth++ == 0) StandInForDefaultActions();
}

QuitSignalDeferral::~QuitSignalDeferral() {
    if (--t_threadDepth > 0) return;
    bool last = false;
    {
        const std::lock_guard<std::mutex> lock(g_mutex);
        if (--g_processDepth == 0) {
            RestoreDefaultActions();
            last = true;
        }
    }
    // A signal that arrived in this thread acts here, with its own action.
    pthread_sigmask(SIG_SETMASK, &t_savedMask, nullptr);
    if (!last) return;
    for (std::size_t i = 0; i < kDeferredSignals.size(); ++i) {
        if (g_recorded[i].exchange(false)) raise(kDeferredSignals[i]);
    }
}

}  // namespace polygrav
