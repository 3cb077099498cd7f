#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>

namespace korvel::app {

// Watches a set of files and folders and says when any of them changes. It lives on a thread of
// its own: adding a path asks the file system, which may hang on a network share. A path that
// cannot be watched (yet) is tried again at every change.
class PathWatcher : public QObject {
    Q_OBJECT

public:
    PathWatcher();

    // Replaces the paths watched.
    void setPaths(const QStringList& paths);

signals:
    void changed();

private:
    void refresh();

    QFileSystemWatcher m_watcher;
    QStringList m_paths;
};

} // namespace korvel::app
