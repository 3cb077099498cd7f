#include "app/desktop/PathWatcher.h"

namespace korvel::app {

PathWatcher::PathWatcher()
    : m_watcher(this) {
    // A file replaced by another leaves the watch; taking it up again keeps the new one watched.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &PathWatcher::refresh);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &PathWatcher::refresh);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &PathWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &PathWatcher::changed);
}

void PathWatcher::setPaths(const QStringList& paths) {
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
    m_paths = paths;
    refresh();
}

void PathWatcher::refresh() {
    QStringList missing;
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    for (const QString& path : m_paths) {
        if (!watched.contains(path)) {
            missing.append(path);
        }
    }
    if (!missing.isEmpty()) {
        m_watcher.addPaths(missing);
    }
}

} // namespace korvel::app
