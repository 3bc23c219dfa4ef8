#pragma once

#include <QObject>

class QSocketNotifier;

namespace polygrav {

// Turns the signals that ask a program to end (SIGTERM, SIGINT, SIGHUP) into
// the Qt signal quitRequested, delivered by the event loop, so that the
// window closes the normal way and saves its settings. One instance at a
// time; the signals' former handlers come back when it is destroyed.
class QuitSignals : public QObject {
    Q_OBJECT

  public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

  signals:
    void quitRequested();

  private:
    void OnReadable();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace polygrav
