#pragma once

#include <QProcess>
#include <QString>

namespace polygrav::test {

// An Xvfb server of the test's own on a display number it picks itself; it
// ends with this object, or with the test process.
class XServer {
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", or empty when the server could not start.
    const QString& display() const { return display_; }

  private:
    QProcess process_;
    QString display_;
};

}  // namespace polygrav::test
