#include "chart/safe_save.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <limits>
#include <mutex>
#include <random>
#include <thread>
#include <variant>
#include <vector>

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
// Not an errno either: the side file could not be given the target's owner
// or group, so a rename would change them; the target is written in place.
constexpr int kOwnerNotKept = -2;
constexpr std::string_view kTagLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
// The signals that end a program unless it catches them, sent when a user
// presses Ctrl-C, closes the terminal or shuts the session down.
constexpr std::array<int, 3> kEndingSignals = {SIGINT, SIGTERM, SIGHUP};

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
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kTagLetters.size() - 1);
    std::string tag;
    for (std::size_t i = 0; i < kTagLength; ++i) {
        tag.push_back(kTagLetters[pick(source)]);
    }
    return tag;
}

// --- A save cut short by a signal -------------------------------------
// The side file holds the birth data; a save that a signal ends must not
// leave it behind. The handler may only read what was stored before the
// file existed, and call what is safe in a handler (unlinkat, sigaction,
// raise).
volatile std::sig_atomic_t gSideFileArmed = 0;
int gSideFileFolder = -1;
std::array<char, NAME_MAX + 1> gSideFileName{};

extern "C" void RemoveSideFileAndEnd(int signalNumber) {
    if (gSideFileArmed != 0) {
        ::unlinkat(gSideFileFolder, gSideFileName.data(), 0);
    }
    // The signal's own action, once this handler returns: the program ends
    // as it would have without the save.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signalNumber, &byDefault, nullptr);
    ::raise(signalNumber);
}

// While it lives, the ending signals that would have ended the program
// remove the side file first; a signal the program ignores or handles itself
// stays as it was, since it does not end the save. One save at a time in a
// program holds it, as the handler knows one side file only.
class SideFileGuard {
public:
    SideFileGuard() : hold_(Mutex()) {
        for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
            struct sigaction current {};
            if (::sigaction(kEndingSignals[i], nullptr, &current) != 0 ||
                (current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction removing {};
            removing.sa_handler = RemoveSideFileAndEnd;
            sigemptyset(&removing.sa_mask);
            installed_[i] = ::sigaction(kEndingSignals[i], &removing, &previous_[i]) == 0;
        }
    }
    SideFileGuard(const SideFileGuard&) = delete;
    SideFileGuard& operator=(const SideFileGuard&) = delete;
    ~SideFileGuard() {
        for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
            if (installed_[i]) {
                ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
            }
        }
    }

    // The side file's life, each step with the signals held back in this
    // thread, so that a signal finds the file either not yet made or known
    // to the handler. Each returns 0 or the errno.
    int Create(int folder, const std::string& side, int& fd) {
        const Blocked blocked;
        fd = ::openat(folder, side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      kPrivateMode);
        if (fd < 0) {
            return errno;
        }
        std::memcpy(gSideFileName.data(), side.c_str(), side.size() + 1);
        gSideFileFolder = folder;
        gSideFileArmed = 1;
        return 0;
    }
    int RenameOver(int folder, const std::string& side, const std::string& name) {
        const Blocked blocked;
        if (::renameat(folder, side.c_str(), folder, name.c_str()) != 0) {
            return errno;
        }
        gSideFileArmed = 0;
        return 0;
    }
    void Remove(int folder, const std::string& side) {
        const Blocked blocked;
        ::unlinkat(folder, side.c_str(), 0);
        gSideFileArmed = 0;
    }
    // The file went by other hands.
    void Forget() {
        const Blocked blocked;
        gSideFileArmed = 0;
    }

private:
    class Blocked {
    public:
        Blocked() {
            sigset_t ending;
            sigemptyset(&ending);
            for (const int signal : kEndingSignals) {
                sigaddset(&ending, signal);
            }
            ::pthread_sigmask(SIG_BLOCK, &ending, &previous_);
        }
        Blocked(const Blocked&) = delete;
        Blocked& operator=(const Blocked&) = delete;
        ~Blocked() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

    private:
        sigset_t previous_{};
    };

    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }

    std::lock_guard<std::mutex> hold_;
    std::array<bool, kEndingSignals.size()> installed_{};
    std::array<struct sigaction, kEndingSignals.size()> previous_{};
};

// Whether `entry` is a side file that SideFileName made for a target whose
// side files all start with `stem`.
bool IsSideFileOf(std::string_view entry, std::string_view stem) {
    return entry.size() == stem.size() + kTagLength && entry.starts_with(stem) &&
           entry.substr(stem.size()).find_first_not_of(kTagLetters) == std::string_view::npos;
}

// A save that was killed outright (a kill that cannot be caught, a power
// cut) leaves its side file, with the birth data in it. Every save holds a
// lock on its side file while it exists, so the ones nobody holds belong to
// no running save and are removed.
void RemoveAbandonedSideFiles(int folder, const std::string& name) {
    const std::string sample = SideFileName(name, std::string(kTagLength, kTagLetters[0]));
    const std::string_view stem = std::string_view(sample).substr(0, sample.size() - kTagLength);
    std::vector<std::string> found;
    {
        const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (listing < 0) {
            return;
        }
        DIR* entries = ::fdopendir(listing);
        if (entries == nullptr) {
            ::close(listing);
            return;
        }
        while (const dirent* entry = ::readdir(entries)) {
            if (IsSideFileOf(entry->d_name, stem)) {
                found.emplace_back(entry->d_name);
            }
        }
        ::closedir(entries);
    }
    for (const std::string& side : found) {
        constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        // A side file takes its target's mode, which may be write-only.
        int fd = ::openat(folder, side.c_str(), O_RDONLY | kOpenFlags);
        if (fd < 0) {
            fd = ::openat(folder, side.c_str(), O_WRONLY | kOpenFlags);
        }
        FileHandle file(fd);
        struct stat opened {};
        struct stat named {};
        if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Still the file that was locked, not one made under the name since.
        if (::fstatat(folder, side.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_ino == opened.st_ino && named.st_dev == opened.st_dev) {
            ::unlinkat(folder, side.c_str(), 0);
        }
    }
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

bool StillNamed(int folder, const std::string& name, int fd) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_ino == opened.st_ino && named.st_dev == opened.st_dev;
}

int ReplaceThroughSideFile(int folder, const std::string& name, const struct stat* earlier,
                           std::string_view bytes) {
    SideFileGuard guard;
    std::string side;
    int fd = -1;
    for (int attempt = 0; attempt < kSideFileTries && fd < 0; ++attempt) {
        side = SideFileName(name, RandomTag());
        // Exclusive and not through a link: a name planted in a shared
        // folder can only make this try fail, never redirect the write.
        if (const int error = guard.Create(folder, side, fd)) {
            if (error != EEXIST) {
                return error;
            }
            continue;
        }
        // Another save clearing abandoned side files may have taken this one
        // for such between its making and this lock; then a new one is made.
        if (const int error = LockWithin(fd, kLockPatience)) {
            ::close(fd);
            guard.Remove(folder, side);
            return error;
        }
        if (!StillNamed(folder, side, fd)) {
            ::close(fd);
            fd = -1;
            guard.Forget();
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    FileHandle file(fd);
    const auto abandon = [&](int error) {
        guard.Remove(folder, side);
        return error;
    };
    // The lock lasts while any descriptor of the file is open: this one
    // keeps it past the close that reports a deferred write, to the rename.
    const FileHandle lock(::fcntl(file.Get(), F_DUPFD_CLOEXEC, 0));
    if (lock.Get() < 0) {
        return abandon(errno);
    }
    if (earlier != nullptr) {
        // Giving the file away is only for the administrator; keeping the
        // group works wherever this user belongs to it. Where the file
        // cannot have its owner and group back, a rename would hand it to
        // this user: it is written in place instead.
        if (::fchown(file.Get(), earlier->st_uid, earlier->st_gid) != 0 &&
            ::fchown(file.Get(), static_cast<uid_t>(-1), earlier->st_gid) != 0) {
            // Not this group either: the check below sends it the other way.
        }
        struct stat made {};
        if (::fstat(file.Get(), &made) != 0) {
            return abandon(errno);
        }
        if (made.st_uid != earlier->st_uid || made.st_gid != earlier->st_gid) {
            return abandon(kOwnerNotKept);
        }
    }
    if (const int error = WriteAll(file.Get(), bytes, 0)) {
        return abandon(error);
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
    if (const int error = guard.RenameOver(folder, side, name)) {
        return abandon(error);
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
        RemoveAbandonedSideFiles(folder.Get(), name);
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
    RemoveAbandonedSideFiles(folder.Get(), name);
    if (info.st_nlink > 1 || !CanReplaceEntry(folder.Get(), info)) {
        return RewriteInPlace(folder.Get(), name, bytes);
    }
    const int replaced = ReplaceThroughSideFile(folder.Get(), name, &info, bytes);
    return replaced == kOwnerNotKept ? RewriteInPlace(folder.Get(), name, bytes) : replaced;
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
