// The previous-instance test: the first copy of the program holds a lock on
// a file in a folder only this user can write; a second copy finds it held
// and stops. The lock is the kernel's (flock), held for as long as the file
// is open: a copy that crashed holds nothing, so no later start is blocked,
// and nothing has to reach the disk before the window can show. Copies that
// lock the file with Qt's lock files lock it the same way. Nothing another
// user can put in the way keeps the program from starting: then it runs
// without the lock and says why.
#pragma once

#include <QString>
#include <sys/types.h>

#include <future>

namespace tavrinel {

// Where the lock lives, or why no safe place was found.
struct LockFolder {
    QString Path;     // empty when none
    QString Problem;  // why there is none
};

// The runtime folder when it is this user's alone (owned, mode 0700); else a
// folder of this user's own under the temporary folder, made private if it
// is not yet, and refused when anyone else owns it or it is not a folder.
[[nodiscard]] LockFolder PrivateLockFolder(const QString& runtimeDir, const QString& tempDir,
                                           const QString& applicationName, uid_t user);

class SingleInstance {
public:
    // An empty path means no lock: the program starts unchecked, and the
    // warning gives `whyNoPath`.
    explicit SingleInstance(const QString& lockPath, const QString& whyNoPath = {});

    // The lock path for this user and application name, or empty with
    // *problem set.
    [[nodiscard]] static QString DefaultLockPath(const QString& applicationName,
                                                 QString* problem = nullptr);

    // True when this copy may run: it is the only running instance (the lock
    // is then held until the object is destroyed), or the lock cannot be
    // taken for a reason that is not another copy (Warning() says which).
    [[nodiscard]] bool TryAcquire();

    // TryAcquire on a thread of its own, answered by Acquired(), which waits
    // for it: the program builds the window meanwhile. Nothing else may be
    // asked of this object until Acquired() has answered.
    void StartAcquiring();
    [[nodiscard]] bool Acquired();

    [[nodiscard]] bool IsHeld() const { return file_ >= 0; }

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // Why the program runs without the lock; empty otherwise.
    [[nodiscard]] const QString& Warning() const { return warning_; }

private:
    QString path_;
    QString whyNoPath_;
    int file_ = -1;  // open, and locked, while held
    QString warning_;
    std::future<bool> acquiring_;
};

}  // namespace tavrinel
