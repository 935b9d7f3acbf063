#include "app/single_instance.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tavrinel {

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kOthersBits = 077;

QString Describe(const QString& path, const char* what) {
    return QStringLiteral("%1 %2").arg(path, QLatin1String(what));
}

}  // namespace

LockFolder PrivateLockFolder(const QString& runtimeDir, const QString& tempDir,
                             const QString& applicationName, uid_t user) {
    struct stat info {};
    if (!runtimeDir.isEmpty() && ::lstat(QFile::encodeName(runtimeDir).constData(), &info) == 0 &&
        S_ISDIR(info.st_mode) && info.st_uid == user && (info.st_mode & kOthersBits) == 0) {
        return {runtimeDir, {}};
    }
    // The temporary folder is shared by all users, so a folder of this
    // user's own sits there, with the user's number in its name; anyone may
    // have made one of that name first.
    const QString path =
        QDir(tempDir).filePath(QStringLiteral("%1-%2").arg(applicationName).arg(user));
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), kPrivateFolder) != 0 && errno != EEXIST) {
        return {{}, Describe(path, "cannot be made: ") + QString::fromLocal8Bit(std::strerror(errno))};
    }
    if (::lstat(native.constData(), &info) != 0) {
        return {{}, Describe(path, "cannot be read: ") + QString::fromLocal8Bit(std::strerror(errno))};
    }
    if (!S_ISDIR(info.st_mode)) {
        return {{}, Describe(path, "is not a folder")};
    }
    if (info.st_uid != user) {
        return {{}, Describe(path, "belongs to another user")};
    }
    if ((info.st_mode & kOthersBits) != 0 && ::chmod(native.constData(), kPrivateFolder) != 0) {
        return {{}, Describe(path, "cannot be made private")};
    }
    return {path, {}};
}

SingleInstance::SingleInstance(const QString& lockPath, const QString& whyNoPath)
    : path_(lockPath), whyNoPath_(whyNoPath) {
    if (path_.isEmpty()) {
        return;
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // QLockFile calls a lock stale after 30 seconds by default, which would let
    // a second copy break the lock of a first one that has simply been open
    // for a while. Only a lock whose process is gone counts as stale.
    lock_->setStaleLockTime(0);
}

QString SingleInstance::DefaultLockPath(const QString& applicationName, QString* problem) {
    const LockFolder folder =
        PrivateLockFolder(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")), QDir::tempPath(),
                          applicationName, ::getuid());
    if (problem != nullptr) {
        *problem = folder.Problem;
    }
    if (folder.Path.isEmpty()) {
        return {};
    }
    return QDir(folder.Path).filePath(applicationName + QStringLiteral(".lock"));
}

bool SingleInstance::TryAcquire() {
    if (!lock_) {
        warning_ = (whyNoPath_.isEmpty() ? QStringLiteral("no private folder for the lock file")
                                         : whyNoPath_) +
                   QStringLiteral("; running without the check for another copy");
        return true;
    }
    if (lock_->isLocked()) {
        return true;
    }
    // Only a plain file of this user's can be another copy's lock; anything
    // else there (a folder, a link, someone else's file) is in the way, not
    // a sign of another copy.
    struct stat info {};
    const QByteArray native = QFile::encodeName(path_);
    if (::lstat(native.constData(), &info) == 0 &&
        (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid())) {
        warning_ = path_ + QStringLiteral(" is not this user's lock file; "
                                          "running without the check for another copy");
        return true;
    }
    if (lock_->tryLock(0)) {
        return true;
    }
    if (lock_->error() != QLockFile::LockFailedError) {
        warning_ = path_ + QStringLiteral(" cannot be used as a lock file; "
                                          "running without the check for another copy");
        return true;
    }
    // QLockFile takes over a lock whose process has died. A lock file that
    // names no process at all (a crash while it was being written) would
    // otherwise block every later start; removing it is safe, because the
    // removal fails while a live instance still holds the file.
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_->getLockInfo(&pid, &host, &application) && lock_->removeStaleLockFile()) {
        return lock_->tryLock(0);
    }
    return false;
}

void SingleInstance::StartAcquiring() {
    acquiring_ = std::async(std::launch::async, [this] { return TryAcquire(); });
}

bool SingleInstance::Acquired() { return acquiring_.get(); }

}  // namespace tavrinel
