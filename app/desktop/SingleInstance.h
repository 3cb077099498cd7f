#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace korvel::app {

// One running instance per application title: a lock file named "vexdal4" + title in the
// user's runtime folder, held while the process lives. The lock of a process that has ended,
// however it ended, never keeps a new one from starting.
class SingleInstance {
public:
    static constexpr const char* kLockPrefix = "vexdal4";

    enum class Claim {
        First,          // this process holds the lock
        AlreadyRunning, // another living process holds it
        Unguarded,      // no lock could be made: start-up goes on without the guard
    };

    explicit SingleInstance(const QString& title);

    [[nodiscard]] Claim claim();
    // Empty when the user has no runtime folder.
    [[nodiscard]] static QString lockPath(const QString& title);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace korvel::app
