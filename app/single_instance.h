// The previous-instance test: the first copy of the program holds a lock
// file in the user's runtime directory; a second copy finds it held and
// stops. A lock left behind by a copy that crashed names a process that no
// longer runs, and is taken over instead of blocking every later start.
#pragma once

#include <QLockFile>
#include <QString>

namespace tavrinel {

class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);

    // The lock path for this user and application name.
    [[nodiscard]] static QString DefaultLockPath(const QString& applicationName);

    // True when this is the only running instance; the lock is then held
    // until the object is destroyed. A lock that cannot be created at all
    // (no writable directory) does not keep the program from starting.
    [[nodiscard]] bool TryAcquire();

    [[nodiscard]] bool IsHeld() const { return lock_.isLocked(); }

private:
    QLockFile lock_;
};

}  // namespace tavrinel
