#pragma once

#include "app/panel/ControlEvents.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

class QThread;

namespace korvel::app {

class PathWatcher;

// Brings the text source poll forward when a watched source file or folder changes: once the
// changes have been quiet for a moment, so that a file still being written is not taken half
// way. The poll's own timer runs on as it is; a path that cannot be watched is left to it.
class SourceWatch : public QObject {
public:
    static constexpr std::chrono::milliseconds kQuiet{250};

    // The events must outlive the watch.
    SourceWatch(ControlEvents& events, QObject* parent);
    SourceWatch(const SourceWatch&) = delete;
    SourceWatch& operator=(const SourceWatch&) = delete;
    ~SourceWatch() override;

    // Paths as the file system spells them.
    void watch(const std::vector<std::string>& paths);

private:
    ControlEvents& m_events;
    QThread* m_thread;
    PathWatcher* m_watcher; // lives on m_thread
    QTimer m_quiet;
};

} // namespace korvel::app
