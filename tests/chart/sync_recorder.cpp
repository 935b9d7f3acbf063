// Loaded into the save driver with LD_PRELOAD: appends one line per fsync,
// fdatasync and rename to the file named by TAVRINEL_SYNC_LOG, so a test can
// see the order in which a save reaches the disk. Descriptors are written as
// the path they have at the time of the call.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string PathOf(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    const ssize_t length = ::readlink(link, path, sizeof path);
    return length < 0 ? std::string("?") : std::string(path, static_cast<std::size_t>(length));
}

void Record(const std::string& line) {
    const char* log = std::getenv("TAVRINEL_SYNC_LOG");
    if (log == nullptr) {
        return;
    }
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    const std::string text = line + "\n";
    // A line lost here makes the test's expected order fail, which says so.
    if (::write(fd, text.data(), text.size()) < 0) {
        ::close(fd);
        return;
    }
    ::close(fd);
}

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int fsync(int fd) {
    Record("fsync " + PathOf(fd));
    return Next<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd) {
    Record("fdatasync " + PathOf(fd));
    return Next<int (*)(int)>("fdatasync")(fd);
}

int rename(const char* from, const char* to) {
    Record(std::string("rename ") + from + " " + to);
    return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
    Record(std::string("rename ") + from + " " + to);
    return Next<int (*)(int, const char*, int, const char*)>("renameat")(fromFolder, from,
                                                                        toFolder, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
    Record(std::string("rename ") + from + " " + to);
    return Next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2")(
        fromFolder, from, toFolder, to, flags);
}

}  // extern "C"
