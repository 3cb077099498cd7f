#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTest>
#include <QtGlobal>
#include <array>

namespace korvel::tests {

// Fails the running test when anything prints a warning or a critical message while the guard
// lives: our widgets must print none. Only the notices that the offscreen platform and a bare
// test machine print on their own pass. The messages are still printed, to show what went wrong.
// A guard made while another one lives leaves the watching to the first.
class MessageGuard {
public:
    MessageGuard() {
        const QMutexLocker lock(&mutex());
        if (active() == nullptr) {
            active() = this;
            m_previous = qInstallMessageHandler(&MessageGuard::handle);
        }
    }
    MessageGuard(const MessageGuard&) = delete;
    MessageGuard& operator=(const MessageGuard&) = delete;

    ~MessageGuard() {
        QStringList unexpected;
        {
            const QMutexLocker lock(&mutex());
            if (active() != this) {
                return;
            }
            qInstallMessageHandler(m_previous);
            active() = nullptr;
            unexpected = m_unexpected;
        }
        if (!unexpected.isEmpty()) {
            QTest::qFail(qPrintable("unexpected message: " + unexpected.join(" | ")), __FILE__, __LINE__);
        }
    }

private:
    static constexpr std::array kBenign{
        "systemTrayWindowChanged",                // offscreen: "No such signal ...systemTrayWindowChanged"
        "does not support propagateSizeHints()",  // offscreen
        "does not support raise()",               // offscreen, opening a popup
        "does not support grabbing the keyboard", // offscreen, opening a popup
        "XDG_RUNTIME_DIR",                        // a test machine without a runtime folder
    };

    static bool benign(const QString& message) {
        for (const char* notice : kBenign) {
            if (message.contains(QLatin1String(notice))) {
                return true;
            }
        }
        return false;
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        QtMessageHandler previous = nullptr;
        {
            const QMutexLocker lock(&mutex());
            MessageGuard* guard = active();
            if (guard == nullptr) {
                return;
            }
            const bool counts = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
            if (counts && !benign(message)) {
                guard->m_unexpected.append(message);
            }
            previous = guard->m_previous;
        }
        if (previous != nullptr) {
            previous(type, context, message);
        }
    }

    static MessageGuard*& active() {
        static MessageGuard* guard = nullptr;
        return guard;
    }
    static QMutex& mutex() {
        static QMutex lock;
        return lock;
    }

    QtMessageHandler m_previous = nullptr;
    QStringList m_unexpected;
};

} // namespace korvel::tests
