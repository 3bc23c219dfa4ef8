#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace polygrav::test {

// What one run of the program did.
struct ProgramRun {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

// A private copy of the built program and its modules in a fresh folder, so that its
// settings file beside it belongs to this test alone, run in a sandboxed
// environment: its own home and XDG folders, and system data folders with
// no applications, so that no viewer of the machine's ever starts. The
// language is the design's (LANG=C.UTF-8, no LANGUAGE, LC_ALL or
// LC_MESSAGES) whatever the developer's locale.
class ProgramSandbox {
  public:
    ProgramSandbox();

    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString program() const { return path(QStringLiteral("polygrav")); }
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

    QTemporaryDir dir_;
    QProcessEnvironment env_;
};

}  // namespace polygrav::test
