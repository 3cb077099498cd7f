#include "app/desktop/SourceWatch.h"

#include "app/desktop/PathWatcher.h"

#include <QFile>
#include <QThread>

namespace korvel::app {

namespace {

// How long closing waits for a watcher that hangs on a network share before leaving it behind.
constexpr std::chrono::milliseconds kStopWait{1000};

} // namespace

SourceWatch::SourceWatch(ControlEvents& events, QObject* parent)
    : QObject(parent)
    , m_events(events)
    , m_thread(new QThread)
    , m_watcher(new PathWatcher) {
    m_thread->setObjectName("SourceWatch");
    m_watcher->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_watcher, &QObject::deleteLater);
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuiet);
    connect(m_watcher, &PathWatcher::changed, &m_quiet, qOverload<>(&QTimer::start));
    connect(&m_quiet, &QTimer::timeout, this, [this] { m_events.tick("Timer1"); });
    m_thread->start();
}

SourceWatch::~SourceWatch() {
    m_thread->quit();
    if (m_thread->wait(kStopWait)) {
        delete m_thread;
    }
    // Otherwise the thread hangs in the file system and ends with the program.
}

void SourceWatch::watch(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths) {
        list.append(QFile::decodeName(QByteArray::fromStdString(path)));
    }
    QMetaObject::invokeMethod(
        m_watcher, [watcher = m_watcher, list] { watcher->setPaths(list); }, Qt::QueuedConnection);
}

} // namespace korvel::app
