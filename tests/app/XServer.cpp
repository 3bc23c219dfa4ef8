#include "XServer.h"

#include <sys/prctl.h>
#include <QStandardPaths>
#include <csignal>

namespace polygrav::test {

XServer::XServer() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        return;
    }
    // The server ends with the test even when the test is killed.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd: the server takes the first free display and writes its
    // number to standard output once it accepts clients.
    process_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!process_.waitForStarted(10000)) {
        return;
    }
    QByteArray out;
    while (!out.contains('\n') && process_.waitForReadyRead(20000)) {
        out += process_.readAllStandardOutput();
    }
    const QByteArray number = out.trimmed();
    if (!number.isEmpty()) {
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
    }
}

XServer::~XServer() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
}

}  // namespace polygrav::test
