#include "chart/safe_save.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <thread>
#include <variant>

namespace tavrinel {

namespace {

namespace fs = std::filesystem;

// The kernel gives up on a chain of links after 40 steps; so do we.
constexpr int kMaxLinkSteps = 40;
// Fresh random names make a clash with another save almost impossible; a
// bounded number of tries keeps a folder full of odd names from looping.
constexpr int kSideFileTries = 100;
constexpr std::size_t kTagLength = 12;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPrivateMode = 0600;
constexpr std::chrono::milliseconds kLockPatience{2000};
constexpr std::chrono::milliseconds kLockRetry{5};
// Not an errno: a target that is a folder's entry but no file (a pipe, a
// device) is refused in words of its own.
constexpr int kNotRegularFile = -1;

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    [[nodiscard]] int Get() const { return fd_; }
    // Closing can report a write the kernel deferred, so its result counts.
    [[nodiscard]] int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// The system's own rule for links in shared folders, which following links
// by hand would otherwise bypass: in a folder anyone may write to and only
// owners may delete from, a link is followed only if this user or the
// folder's owner made it. Another user's link there could aim a save at any
// file this user may write.
bool MayFollow(const fs::path& link, const struct stat& linkInfo) {
    struct stat folder {};
    const fs::path folderPath = link.has_parent_path() ? link.parent_path() : fs::path(".");
    if (::stat(folderPath.c_str(), &folder) != 0) {
        return false;
    }
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

// Where a path really leads: the file at the end of its chain of links (which
// need not exist yet), or the error that stops the chain.
std::variant<fs::path, int> FollowLinks(fs::path path) {
    for (int step = 0;; ++step) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            return errno == ENOENT ? std::variant<fs::path, int>(path) : errno;
        }
        if (!S_ISLNK(info.st_mode)) {
            return path;
        }
        if (!MayFollow(path, info)) {
            return EACCES;
        }
        if (step == kMaxLinkSteps) {
            return ELOOP;
        }
        std::array<char, PATH_MAX> buffer{};
        const ::ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return errno;
        }
        if (static_cast<std::size_t>(length) == buffer.size()) {
            return ENAMETOOLONG;
        }
        const fs::path next(std::string(buffer.data(), static_cast<std::size_t>(length)));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

int WriteAll(int fd, std::string_view bytes, ::off_t offset) {
    for (std::size_t written = 0; written < bytes.size();) {
        const ::ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                                     offset + static_cast<::off_t>(written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : ENOSPC;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// Read without changing it: setting the mask to learn it would race with
// any other thread creating a file.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "Umask:") {
            std::string octal;
            status >> octal;
            return static_cast<mode_t>(std::stoul(octal, nullptr, 8));
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::string RandomTag() {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string tag;
    for (std::size_t i = 0; i < kTagLength; ++i) {
        tag.push_back(kLetters[pick(source)]);
    }
    return tag;
}

// The owner may mark a file read-only for everyone, which even an
// administrator, whom the system lets write anything, is meant to respect.
int CheckWritable(int folder, const std::string& name, const struct stat& info) {
    if ((info.st_mode & kAnyWrite) == 0) {
        return EACCES;
    }
    if (::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    return 0;
}

// A rename replaces the folder's entry, so it needs the folder to be
// writable, and in a folder with the sticky bit (a shared temporary folder)
// also that this user owns the file or the folder.
bool CanReplaceEntry(int folder, const struct stat& file) {
    if (::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        return false;
    }
    struct stat folderInfo {};
    if (::fstat(folder, &folderInfo) != 0) {
        return false;
    }
    const uid_t me = ::geteuid();
    return (folderInfo.st_mode & S_ISVTX) == 0 || me == 0 || file.st_uid == me ||
           folderInfo.st_uid == me;
}

// Another save of this program holds the lock for a moment only; a lock
// held for longer belongs to something else, and the user is told rather
// than left waiting.
int LockWithin(int fd, std::chrono::milliseconds patience) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return 0;
}

// Writing in place is the fallback where a rename would do harm (it would
// split a hard link) or cannot be done (the folder is not writable). The new
// content is complete in memory before the file is touched, the space is
// reserved first so that a full disk fails before anything is overwritten,
// and a lock keeps two saves of this program from writing into each other.
int RewriteInPlace(int folder, const std::string& name, std::string_view bytes) {
    FileHandle file(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return errno;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        return errno;
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotRegularFile;
    }
    if (const int error = LockWithin(file.Get(), kLockPatience)) {
        return error;
    }
    if (!bytes.empty()) {
        const int reserved = ::posix_fallocate(file.Get(), 0, static_cast<::off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            return reserved;
        }
    }
    if (const int error = WriteAll(file.Get(), bytes, 0)) {
        return error;
    }
    if (::ftruncate(file.Get(), static_cast<::off_t>(bytes.size())) != 0 ||
        ::fsync(file.Get()) != 0) {
        return errno;
    }
    return file.Close();
}

int ReplaceThroughSideFile(int folder, const std::string& name, const struct stat* earlier,
                           std::string_view bytes) {
    std::string side;
    int fd = -1;
    for (int attempt = 0; attempt < kSideFileTries && fd < 0; ++attempt) {
        side = SideFileName(name, RandomTag());
        // Exclusive and not through a link: a name planted in a shared
        // folder can only make this try fail, never redirect the write.
        fd = ::openat(folder, side.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateMode);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    FileHandle file(fd);
    const auto abandon = [&](int error) {
        ::unlinkat(folder, side.c_str(), 0);
        return error;
    };
    if (const int error = WriteAll(file.Get(), bytes, 0)) {
        return abandon(error);
    }
    if (earlier != nullptr) {
        // Giving the file away is only for the administrator; keeping the
        // group works wherever this user belongs to it. Neither is an error.
        if (::fchown(file.Get(), earlier->st_uid, earlier->st_gid) != 0) {
            static_cast<void>(::fchown(file.Get(), static_cast<uid_t>(-1), earlier->st_gid));
        }
    }
    // After the owner: changing it clears the set-id bits.
    const mode_t mode =
        earlier != nullptr ? (earlier->st_mode & kPermissionBits) : (kNewFileMode & ~CurrentUmask());
    if (::fchmod(file.Get(), mode) != 0 || ::fsync(file.Get()) != 0) {
        return abandon(errno);
    }
    if (const int error = file.Close()) {
        return abandon(error);
    }
    if (::renameat(folder, side.c_str(), folder, name.c_str()) != 0) {
        return abandon(errno);
    }
    // The rename itself must reach the disk, or a crash could bring back the
    // old file, or neither. Some file systems cannot sync a folder at all.
    if (::fsync(folder) != 0 && errno != EINVAL && errno != EROFS) {
        return errno;
    }
    return 0;
}

int Save(const fs::path& path, std::string_view bytes) {
    const std::variant<fs::path, int> followed = FollowLinks(path);
    if (const int* error = std::get_if<int>(&followed)) {
        return *error;
    }
    const fs::path& target = std::get<fs::path>(followed);
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") {
        return EISDIR;
    }
    const fs::path folderPath = target.has_parent_path() ? target.parent_path() : fs::path(".");
    FileHandle folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) {
        return errno;
    }

    struct stat info {};
    if (::fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) {
            return errno;
        }
        return ReplaceThroughSideFile(folder.Get(), name, nullptr, bytes);
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(info.st_mode)) {
        return kNotRegularFile;
    }
    if (const int error = CheckWritable(folder.Get(), name, info)) {
        return error;
    }
    if (info.st_nlink > 1 || !CanReplaceEntry(folder.Get(), info)) {
        return RewriteInPlace(folder.Get(), name, bytes);
    }
    return ReplaceThroughSideFile(folder.Get(), name, &info, bytes);
}

}  // namespace

std::string SideFileName(std::string_view targetName, std::string_view tag) {
    constexpr std::string_view kPrefix = ".";
    constexpr std::string_view kSeparator = "~";
    const std::size_t room = NAME_MAX - kPrefix.size() - kSeparator.size() - tag.size();
    std::size_t keep = std::min(targetName.size(), room);
    // Cut between characters, not inside one, so the name stays readable.
    while (keep > 0 && keep < targetName.size() &&
           (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    std::string name(kPrefix);
    name += targetName.substr(0, keep);
    name += kSeparator;
    name += tag;
    return name;
}

std::optional<SaveFailure> SafeSave(const std::filesystem::path& path, std::string_view bytes) {
    const int error = Save(path, bytes);
    if (error == 0) {
        return std::nullopt;
    }
    const std::string reason =
        error == kNotRegularFile ? std::string("it is not a regular file") : std::strerror(error);
    return SaveFailure{"The file " + path.string() + " could not be saved: " + reason};
}

}  // namespace tavrinel
