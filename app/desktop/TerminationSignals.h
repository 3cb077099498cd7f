#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace korvel::app {

// SIGTERM and SIGINT as a request to close, delivered on the event loop: a logout, a shutdown, a
// service stop or Ctrl+C then end the program through its close sequence, which saves the
// settings. A signal that arrives before watch() waits for it. One instance at a time; while none
// lives, the signals have their default effect.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether a signal has arrived and not yet been delivered.
    [[nodiscard]] bool pending() const;
    // Delivers the signals that arrived and every later one as closeRequested().
    void watch();

signals:
    void closeRequested();

private:
    void deliver();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace korvel::app
