#include "app/desktop/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace korvel::app {

SingleInstance::SingleInstance(const QString& title) {
    const QString path = lockPath(title);
    if (!path.isEmpty()) {
        m_lock = std::make_unique<QLockFile>(path);
        // Never stale by age: only a lock whose process has ended is taken over.
        m_lock->setStaleLockTime(0);
    }
}

QString SingleInstance::lockPath(const QString& title) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QLatin1String(kLockPrefix) + title);
}

SingleInstance::Claim SingleInstance::claim() {
    if (!m_lock) {
        return Claim::Unguarded;
    }
    if (m_lock->tryLock(0)) {
        return Claim::First;
    }
    return m_lock->error() == QLockFile::LockFailedError ? Claim::AlreadyRunning : Claim::Unguarded;
}

} // namespace korvel::app
