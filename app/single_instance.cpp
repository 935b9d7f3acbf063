#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace tavrinel {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    // QLockFile calls a lock stale after 30 seconds by default, which would let
    // a second copy break the lock of a first one that has simply been open
    // for a while. Only a lock whose process is gone counts as stale.
    lock_.setStaleLockTime(0);
}

QString SingleInstance::DefaultLockPath(const QString& applicationName) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = applicationName + QStringLiteral(".lock");
    if (dir.isEmpty()) {
        // The temporary directory is shared by all users: keep one lock each.
        dir = QDir::tempPath();
        name = QStringLiteral("%1-%2.lock").arg(applicationName).arg(getuid());
    }
    return QDir(dir).filePath(name);
}

bool SingleInstance::TryAcquire() {
    if (lock_.isLocked()) {
        return true;
    }
    if (lock_.tryLock(0)) {
        return true;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
        return true;
    }
    // QLockFile takes over a lock whose process has died. A lock file that
    // names no process at all (a crash while it was being written) would
    // otherwise block every later start; removing it is safe, because the
    // removal fails while a live instance still holds the file.
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_.getLockInfo(&pid, &host, &application) && lock_.removeStaleLockFile()) {
        return lock_.tryLock(0);
    }
    return false;
}

}  // namespace tavrinel
