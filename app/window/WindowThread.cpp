#include "app/window/WindowThread.h"

#include <QCoreApplication>

namespace korvel::app {

void WindowThread::post(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace korvel::app
