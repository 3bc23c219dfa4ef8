#include "ProgramSandbox.h"

namespace polygrav::test::qt {

ProgramSandbox::ProgramSandbox()
    : box_(POLYGRAV_MODULE_DIR),
      program_(QString::fromStdString(box_.AddProgram(POLYGRAV_BINARY))) {
    for (const auto& [name, value] : box_.environment()) {
        env_.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
}

void ProgramSandbox::writeFile(const QString& name, const QByteArray& bytes) const {
    box_.WriteFile(name.toStdString(), bytes.toStdString());
}

QByteArray ProgramSandbox::readFile(const QString& name) const {
    return QByteArray::fromStdString(box_.ReadFile(name.toStdString()));
}

void ProgramSandbox::start(QProcess& process, const QStringList& args) const {
    process.setProcessEnvironment(env_);
    process.setWorkingDirectory(folder());
    process.start(program(), args);
}

QString ProgramSandbox::addProgram(const QString& builtPath) {
    return QString::fromStdString(box_.AddProgram(builtPath.toStdString()));
}

ProgramRun ProgramSandbox::runProgram(const QString& program, const QStringList& args,
                                      const QByteArray& input) const {
    QProcess process;
    process.setProcessEnvironment(env_);
    process.setWorkingDirectory(folder());
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

}  // namespace polygrav::test::qt
