#include "app/single_instance.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
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
    : path_(lockPath), whyNoPath_(whyNoPath) {}

SingleInstance::~SingleInstance() {
    if (acquiring_.valid()) {
        acquiring_.wait();
    }
    // The file stays: taking it away while another copy is opening it could
    // leave that copy holding a lock on a file nobody else will find.
    if (file_ >= 0) {
        ::close(file_);
    }
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
    const auto runUnchecked = [this](const QString& why) {
        warning_ = why + QStringLiteral("; running without the check for another copy");
        return true;
    };
    if (path_.isEmpty()) {
        return runUnchecked(whyNoPath_.isEmpty() ? QStringLiteral("no private folder for the lock file")
                                                 : whyNoPath_);
    }
    if (IsHeld()) {
        return true;
    }
    // Only a plain file of this user's can be another copy's lock; anything
    // else there (a folder, a link, a pipe, someone else's file) is in the
    // way, not a sign of another copy, and is neither opened nor followed.
    const QByteArray native = QFile::encodeName(path_);
    const int file =
        ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat info {};
    if (file < 0 || ::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid()) {
        if (file >= 0) {
            ::close(file);
        }
        return runUnchecked(path_ + QStringLiteral(" is not this user's lock file"));
    }
    if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(file);
        if (why == EWOULDBLOCK) {
            return false;  // another copy holds it
        }
        return runUnchecked(path_ + QStringLiteral(" cannot be used as a lock file"));
    }
    // Who holds it, for a person looking; the lock itself is not in the text.
    const QByteArray owner = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
    if (::ftruncate(file, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(file, owner.constData(), owner.size());
    }
    file_ = file;
    return true;
}

void SingleInstance::StartAcquiring() {
    acquiring_ = std::async(std::launch::async, [this] { return TryAcquire(); });
}

bool SingleInstance::Acquired() { return acquiring_.get(); }

}  // namespace tavrinel
