#include "ProgramSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace polygrav::test {

ProgramSandbox::ProgramSandbox() : env_(QProcessEnvironment::systemEnvironment()) {
    if (!dir_.isValid() || !QFile::copy(QStringLiteral(POLYGRAV_BINARY), program())) {
        qFatal("cannot copy the program");
    }
    // The program's modules (its window, the viewer launch) go beside it.
    const QDir modules(QStringLiteral(POLYGRAV_MODULE_DIR));
    for (const QString& name : modules.entryList({QStringLiteral("*.so")}, QDir::Files)) {
        if (!QFile::copy(modules.filePath(name), path(name))) qFatal("cannot copy a module");
    }
    QDir root(dir_.path());
    for (const char* sub : {"home", "config", "data", "system", "cache", "runtime"}) {
        root.mkdir(QString::fromLatin1(sub));
    }
    QFile::setPermissions(path("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env_.insert("HOME", path("home"));
    env_.insert("XDG_CONFIG_HOME", path("config"));
    env_.insert("XDG_DATA_HOME", path("data"));
    env_.insert("XDG_DATA_DIRS", path("system"));
    env_.insert("XDG_CACHE_HOME", path("cache"));
    env_.insert("XDG_RUNTIME_DIR", path("runtime"));
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
          "XDG_CURRENT_DESKTOP", "LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        env_.remove(QString::fromLatin1(name));
    }
    // The design's language whatever the developer's locale; a test that
    // wants another sets LANG (or LANGUAGE) itself.
    env_.insert("LANG", "C.UTF-8");
}

void ProgramSandbox::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write a test file");
    }
}

QByteArray ProgramSandbox::readFile(const QString& name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramSandbox::start(QProcess& process, const QStringList& args) const {
    process.setProcessEnvironment(env_);
    process.setWorkingDirectory(dir_.path());
    process.start(program(), args);
}

QString ProgramSandbox::addProgram(const QString& builtPath) {
    const QString copy = path(QFileInfo(builtPath).fileName());
    if (!QFile::copy(builtPath, copy)) {
        qFatal("cannot copy a program");
    }
    return copy;
}

ProgramRun ProgramSandbox::runProgram(const QString& program, const QStringList& args,
                                      const QByteArray& input) const {
    QProcess process;
    process.setProcessEnvironment(env_);
    process.setWorkingDirectory(dir_.path());
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    return Finish(process);
}

ProgramRun ProgramSandbox::run(const QStringList& args,
                               const std::function<void()>& modifier) const {
    QProcess process;
    if (modifier) {
        process.setChildProcessModifier(modifier);
    }
    start(process, args);
    return Finish(process);
}

ProgramRun ProgramSandbox::Finish(QProcess& process) {
    ProgramRun result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.crashed = true;
    }
    result.crashed = result.crashed || process.exitStatus() != QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

}  // namespace polygrav::test
