#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

#include "tests/support/ProgramSandbox.h"

namespace polygrav::test::qt {

// What one run of the program did.
struct ProgramRun {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// The tests' program sandbox (tests/support/ProgramSandbox.h) with the built
// program copied in, in Qt's terms, run through QProcess so that a test can
// change the child before the program starts or let it run while the test
// goes on.
class ProgramSandbox {
  public:
    ProgramSandbox();

    QString folder() const { return QString::fromStdString(box_.folder()); }
    QString path(const QString& name) const {
        return QString::fromStdString(box_.path(name.toStdString()));
    }
    QString program() const { return program_; }
    QProcessEnvironment& environment() { return env_; }

    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;

    // Runs the program to its end with args; modifier runs in the child
    // before the program starts.
    ProgramRun run(const QStringList& args, const std::function<void()>& modifier = {}) const;

    // Copies another built program into the folder under its own name, and
    // runs it the same way.
    QString addProgram(const QString& builtPath);
    ProgramRun runProgram(const QString& program, const QStringList& args,
                          const QByteArray& input = {}) const;

    // Starts the program without waiting for it.
    void start(QProcess& process, const QStringList& args) const;

  private:
    static ProgramRun Finish(QProcess& process);

    test::ProgramSandbox box_;
    QString program_;
    QProcessEnvironment env_;
};

}  // namespace polygrav::test::qt
