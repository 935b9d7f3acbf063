#include "chart/safe_save.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "chart/reading_file.h"

extern char** environ;

namespace tavrinel {
namespace {

namespace fs = std::filesystem;

// The account every Debian system has, for saves made as someone else.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
constexpr uid_t kDaemon = 1;  // a third user, neither the saver nor the folder's owner

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

void Write(const fs::path& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), mode);
}

struct stat Stat(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

mode_t Mode(const fs::path& path) { return Stat(path).st_mode & 07777; }

// Everything in the folder whose name starts with a dot: side files.
std::vector<std::string> HiddenEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string().starts_with('.')) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

class SafeSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tavrinel_safe_save_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // Others must reach it for the rows saved as another user.
        ::chmod(dir_.c_str(), 0777);
        previousMask_ = ::umask(022);
    }
    void TearDown() override {
        ::umask(previousMask_);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
    mode_t previousMask_ = 0;
};

// Each row prepares a folder, saves "new" to the path it returns, and checks
// what the save must have left.
struct Kept {
    const char* Name;
    std::function<fs::path(const fs::path& dir)> Prepare;
    std::function<void(const fs::path& dir)> Check;
};

TEST_F(SafeSaveTest, SavesAndKeepsWhatTheTargetWas) {
    const std::string name255(255, 'n');
    int busy = -1;  // a side file a running save holds
    const Kept rows[] = {
        {"new file takes the usual permissions",
         [](const fs::path& d) { return d / "a.tvl"; },
         [](const fs::path& d) { EXPECT_EQ(Mode(d / "a.tvl"), 0644u); }},
        {"private file stays private",
         [](const fs::path& d) { Write(d / "a.tvl", "old", 0600); return d / "a.tvl"; },
         [](const fs::path& d) { EXPECT_EQ(Mode(d / "a.tvl"), 0600u); }},
        {"group-readable file keeps its mode",
         [](const fs::path& d) { Write(d / "a.tvl", "old", 0640); return d / "a.tvl"; },
         [](const fs::path& d) { EXPECT_EQ(Mode(d / "a.tvl"), 0640u); }},
        {"link is written through and stays a link",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             Write(d / "real" / "a.tvl", "old", 0600);
             fs::create_symlink("real/a.tvl", d / "link.tvl");
             return d / "link.tvl";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.tvl"));
             EXPECT_EQ(Contents(d / "real" / "a.tvl"), "new");
             EXPECT_EQ(Mode(d / "real" / "a.tvl"), 0600u);
         }},
        {"chain of links ends at the file",
         [](const fs::path& d) {
             Write(d / "a.tvl", "old");
             fs::create_symlink(d / "a.tvl", d / "one.tvl");
             fs::create_symlink("one.tvl", d / "two.tvl");
             return d / "two.tvl";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "one.tvl"));
             EXPECT_TRUE(fs::is_symlink(d / "two.tvl"));
             EXPECT_EQ(Contents(d / "a.tvl"), "new");
         }},
        {"dangling link creates the file it names",
         [](const fs::path& d) {
             fs::create_symlink("later.tvl", d / "link.tvl");
             return d / "link.tvl";
         },
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "link.tvl"));
             EXPECT_EQ(Contents(d / "later.tvl"), "new");
         }},
        {"hard link stays one file",
         [](const fs::path& d) {
             Write(d / "a.tvl", "old but longer");
             fs::create_hard_link(d / "a.tvl", d / "b.tvl");
             return d / "a.tvl";
         },
         [](const fs::path& d) {
             EXPECT_EQ(Contents(d / "b.tvl"), "new");
             EXPECT_EQ(Stat(d / "a.tvl").st_ino, Stat(d / "b.tvl").st_ino);
         }},
        {"longest legal name",
         [name255](const fs::path& d) { return d / name255; },
         [name255](const fs::path& d) { EXPECT_EQ(Contents(d / name255), "new"); }},
        {"planted link at the old fixed side name is not followed",
         [](const fs::path& d) {
             Write(d / "victim", "victim");
             fs::create_symlink(d / "victim", d / "a.tvl.saving");
             return d / "a.tvl";
         },
         [](const fs::path& d) { EXPECT_EQ(Contents(d / "victim"), "victim"); }},
        // A save killed outright leaves its side file, with the birth data
        // in it; the next save of that file clears what no save holds, and
        // nothing that is not one of its side files.
        {"stale side files of the target are cleared, nothing else",
         [&busy](const fs::path& d) {
             Write(d / "a.tvl", "old");
             Write(d / ".a.tvl~stale0000000", "half", 0600);
             Write(d / ".a.tvl~stale2222222", "half", 0200);
             Write(d / ".a.tvl~stale3333333", "being written", 0600);
             busy = ::open((d / ".a.tvl~stale3333333").c_str(), O_RDONLY);
             EXPECT_EQ(::flock(busy, LOCK_EX), 0);
             fs::create_directory(d / ".a.tvl~stale1111111");
             fs::create_symlink("a.tvl", d / ".a.tvl~stale4444444");
             for (const char* other : {".b.tvl~stale0000000", ".a.tvl~stale", ".a.tvl~STALE0000000",
                                       ".a.tvl~stale00000000", "a.tvl~stale0000000"}) {
                 Write(d / other, "not ours");
             }
             return d / "a.tvl";
         },
         [](const fs::path& d) {
             std::vector<std::string> left;
             for (const auto& entry : fs::directory_iterator(d)) {
                 left.push_back(entry.path().filename().string());
             }
             std::sort(left.begin(), left.end());
             EXPECT_EQ(left, (std::vector<std::string>{
                                 ".a.tvl~STALE0000000", ".a.tvl~stale", ".a.tvl~stale00000000",
                                 ".a.tvl~stale1111111", ".a.tvl~stale3333333",
                                 ".a.tvl~stale4444444", ".b.tvl~stale0000000", "a.tvl",
                                 "a.tvl~stale0000000"}));
         }},
        {"existing file's owner and group are kept where this user may",
         [](const fs::path& d) {
             Write(d / "a.tvl", "old", 0640);
             if (::geteuid() == 0) {
                 EXPECT_EQ(::chown((d / "a.tvl").c_str(), kNobody, kNogroup), 0);
             }
             return d / "a.tvl";
         },
         [](const fs::path& d) {
             EXPECT_EQ(Stat(d / "a.tvl").st_uid, ::geteuid() == 0 ? kNobody : ::geteuid());
             EXPECT_EQ(Mode(d / "a.tvl"), 0640u);
         }},
    };
    for (const Kept& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path sub = dir_ / std::to_string(&row - rows);
        fs::create_directory(sub);
        const fs::path target = row.Prepare(sub);
        if (const std::optional<SaveFailure> failure = SafeSave(target, "new")) {
            ADD_FAILURE() << failure->Message;
            continue;
        }
        EXPECT_EQ(Contents(target), "new");
        row.Check(sub);
        for (const std::string& hidden : HiddenEntries(sub)) {
            EXPECT_TRUE(hidden.starts_with(".a.tvl~") || hidden.starts_with(".b.tvl~")) << hidden;
        }
    }
    ::close(busy);
}

struct Refused {
    const char* Name;
    std::function<fs::path(const fs::path& dir)> Prepare;
    const char* Reason;
};

TEST_F(SafeSaveTest, RefusesAndLeavesTheEarlierFile) {
    int held = -1;  // a lock another program keeps on a file
    const Refused rows[] = {
        {"folder that does not exist",
         [](const fs::path& d) { return d / "no such folder" / "a.tvl"; },
         "No such file or directory"},
        // Read-only for everyone binds the administrator too.
        {"file marked read-only",
         [](const fs::path& d) { Write(d / "a.tvl", "earlier", 0444); return d / "a.tvl"; },
         "Permission denied"},
        {"folder in the file's place",
         [](const fs::path& d) { fs::create_directory(d / "a.tvl"); return d / "a.tvl"; },
         "Is a directory"},
        // Opening a pipe to write would wait for a reader for ever.
        {"named pipe",
         [](const fs::path& d) { ::mkfifo((d / "a.tvl").c_str(), 0644); return d / "a.tvl"; },
         "it is not a regular file"},
        {"link loop",
         [](const fs::path& d) {
             fs::create_symlink("b.tvl", d / "a.tvl");
             fs::create_symlink("a.tvl", d / "b.tvl");
             return d / "a.tvl";
         },
         "Too many levels of symbolic links"},
        // Written in place, and something else holds it for longer than any
        // save: the user hears so instead of waiting without end.
        {"hard-linked file locked by another program",
         [&held](const fs::path& d) {
             Write(d / "a.tvl", "earlier");
             fs::create_hard_link(d / "a.tvl", d / "b.tvl");
             held = ::open((d / "a.tvl").c_str(), O_RDONLY);
             EXPECT_EQ(::flock(held, LOCK_EX), 0);
             return d / "a.tvl";
         },
         "Resource temporarily unavailable"},
        // Refused part way through writing the side file, as a full disk
        // would: the side file with the birth data must go.
        {"file larger than this process may write",
         [](const fs::path& d) { Write(d / "a.tvl", "earlier"); return d / "a.tvl"; },
         "File too large"},
    };
    const std::string tooLarge = "file larger than this process may write";
    for (const Refused& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path sub = dir_ / std::to_string(&row - rows);
        fs::create_directory(sub);
        const fs::path target = row.Prepare(sub);
        const struct stat before = Stat(target);
        struct rlimit size {};
        ::getrlimit(RLIMIT_FSIZE, &size);
        const struct rlimit unlimited = size;
        const auto ignoreXfsz = std::signal(SIGXFSZ, SIG_IGN);
        if (row.Name == tooLarge) {
            size.rlim_cur = 1;
            ::setrlimit(RLIMIT_FSIZE, &size);
        }
        const std::optional<SaveFailure> failure = SafeSave(target, "new");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, ignoreXfsz);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message,
                  "The file " + target.string() + " could not be saved: " + row.Reason);
        if (S_ISREG(before.st_mode)) {
            EXPECT_EQ(Contents(target), "earlier");
        }
        EXPECT_TRUE(HiddenEntries(sub).empty());
    }
    ::close(held);
}

// What the system does not let the administrator be refused, a save made
// as another user shows: the save runs in a child that gives up root.
// Without root there is no other user to become, and those rows are skipped.
struct AsOther {
    const char* Name;
    std::function<fs::path(const fs::path& dir)> Prepare;  // run as root
    bool Saved;
    bool SameFile;  // written in place: the file and its owner stay
};

TEST_F(SafeSaveTest, AsAnotherUser) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to save as another user";
    }
    const AsOther rows[] = {
        // The owner may write, others may not: the mode bits of the owner
        // say nothing about this user.
        {"someone else's 0644 file in a shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 0777);
             Write(d / "a.tvl", "earlier", 0644);
             return d / "a.tvl";
         },
         false, true},
        // The owner could not be given back after a rename: the file is
        // written where it is.
        {"someone else's 0666 file in a shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 0777);
             Write(d / "a.tvl", "earlier", 0666);
             return d / "a.tvl";
         },
         true, true},
        {"writable file in a folder this user cannot write",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 0755);
             Write(d / "a.tvl", "earlier", 0666);
             return d / "a.tvl";
         },
         true, true},
        {"writable file of someone else in a sticky shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 01777);
             Write(d / "a.tvl", "earlier", 0666);
             return d / "a.tvl";
         },
         true, true},
        // A link planted by a third user in a shared sticky folder is not
        // followed, as the system itself refuses to follow it there: it
        // would aim this user's save at any file this user may write.
        {"someone else's link in a sticky shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 01777);
             fs::create_directory(d / "mine");
             Write(d / "mine" / "notes.tvl", "earlier", 0644);
             EXPECT_EQ(::chown((d / "mine" / "notes.tvl").c_str(), kNobody, kNogroup), 0);
             fs::create_symlink("mine/notes.tvl", d / "a.tvl");
             EXPECT_EQ(::lchown((d / "a.tvl").c_str(), kDaemon, kDaemon), 0);
             return d / "a.tvl";
         },
         false, true},
        {"own link in a sticky shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 01777);
             fs::create_directory(d / "mine");
             Write(d / "mine" / "notes.tvl", "earlier", 0644);
             EXPECT_EQ(::chown((d / "mine" / "notes.tvl").c_str(), kNobody, kNogroup), 0);
             EXPECT_EQ(::chown((d / "mine").c_str(), kNobody, kNogroup), 0);
             fs::create_symlink("mine/notes.tvl", d / "a.tvl");
             EXPECT_EQ(::lchown((d / "a.tvl").c_str(), kNobody, kNogroup), 0);
             return d / "a.tvl";
         },
         true, true},
        {"own file in a shared folder",
         [](const fs::path& d) {
             ::chmod(d.c_str(), 0777);
             Write(d / "a.tvl", "earlier", 0600);
             EXPECT_EQ(::chown((d / "a.tvl").c_str(), kNobody, kNogroup), 0);
             return d / "a.tvl";
         },
         true, false},
    };
    for (const AsOther& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path sub = dir_ / std::to_string(&row - rows);
        fs::create_directory(sub);
        const fs::path target = row.Prepare(sub);
        const struct stat before = Stat(target);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 ||
                ::setuid(kNobody) != 0) {
                ::_exit(3);
            }
            ::_exit(SafeSave(target, "new") ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), row.Saved ? 0 : 1);
        EXPECT_EQ(Contents(target), row.Saved ? "new" : "earlier");
        const struct stat after = Stat(target);
        EXPECT_EQ(after.st_ino == before.st_ino, row.SameFile);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_TRUE(HiddenEntries(sub).empty());
    }
}

TEST(SideFileName, StaysALegalNameAndHidden) {
    const std::string tag = "abcdefghijkl";
    const struct {
        std::string Target;
        std::string Expected;
    } rows[] = {
        {"ann.tvl", ".ann.tvl~abcdefghijkl"},
        {std::string(255, 'x'), "." + std::string(241, 'x') + "~abcdefghijkl"},
        // "é" is two bytes; cutting between them would leave half a letter.
        {std::string(240, 'x') + "\xC3\xA9" + "tail", "." + std::string(240, 'x') + "~abcdefghijkl"},
    };
    for (const auto& row : rows) {
        const std::string name = SideFileName(row.Target, tag);
        EXPECT_EQ(name, row.Expected);
        EXPECT_LE(name.size(), static_cast<std::size_t>(NAME_MAX));
    }
}

// Two programs saving different readings to one file at the same moment, in
// separate processes as two users' clicks would be: every round must leave
// one of the two readings whole, and a process that says it saved must not
// have been the one that failed.
TEST_F(SafeSaveTest, ConcurrentSavesAlwaysLeaveOneWholeReading) {
    constexpr int kRounds = 200;
    ChartState first;
    first.PersonName = "First";
    ChartState second;
    second.PersonName = std::string(300, 'S');
    const std::string readings[] = {WriteReadingFile(first, 29), WriteReadingFile(second, 3)};

    const struct {
        const char* Name;
        bool HardLinked;  // written in place
    } kinds[] = {{"renamed into place", false}, {"rewritten in place", true}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.Name);
        const fs::path sub = dir_ / kind.Name;
        fs::create_directory(sub);
        const fs::path target = sub / "a.tvl";
        Write(target, readings[0]);
        if (kind.HardLinked) {
            fs::create_hard_link(target, sub / "b.tvl");
        }
        for (int round = 0; round < kRounds; ++round) {
            pid_t children[2];
            for (int i = 0; i < 2; ++i) {
                const std::string which = std::to_string(i);
                const char* argv[] = {TAVRINEL_SAVE_DRIVER, target.c_str(), which.c_str(),
                                      nullptr};
                ASSERT_EQ(::posix_spawn(&children[i], TAVRINEL_SAVE_DRIVER, nullptr, nullptr,
                                        const_cast<char**>(argv), environ),
                          0);
            }
            int exits[2];
            for (int i = 0; i < 2; ++i) {
                int status = 0;
                ASSERT_EQ(::waitpid(children[i], &status, 0), children[i]);
                ASSERT_TRUE(WIFEXITED(status));
                exits[i] = WEXITSTATUS(status);
            }
            const std::string now = Contents(target);
            ASSERT_TRUE(now == readings[0] || now == readings[1]) << "round " << round;
            const int winner = now == readings[0] ? 0 : 1;
            // The reading that stands was saved by a process that said so.
            ASSERT_EQ(exits[winner], 0) << "round " << round;
            ASSERT_TRUE(exits[1 - winner] == 0 || exits[1 - winner] == 1);
            BirthForm form;
            ASSERT_FALSE(OpenReadingFile(target, form));
            ASSERT_EQ(form.Name, winner == 0 ? first.PersonName : second.PersonName);
            if (kind.HardLinked) {
                ASSERT_EQ(Stat(target).st_ino, Stat(sub / "b.tvl").st_ino);
            }
        }
        EXPECT_TRUE(HiddenEntries(sub).empty());
    }
}

// The order in which a save reaches the disk, recorded by a library
// preloaded into a process of its own: the new contents are synced before
// the rename puts them under the file's name, and the folder after it, or a
// crash could leave the name on an empty file or bring the old one back.
TEST_F(SafeSaveTest, SyncsTheContentsBeforeTheRenameAndTheFolderAfter) {
    const struct {
        const char* Name;
        std::function<void(const fs::path& dir)> Prepare;
        bool Renamed;  // false: written in place
    } rows[] = {
        {"new file", [](const fs::path&) {}, true},
        {"earlier file", [](const fs::path& d) { Write(d / "a.tvl", "earlier"); }, true},
        {"hard-linked file",
         [](const fs::path& d) {
             Write(d / "a.tvl", "earlier");
             fs::create_hard_link(d / "a.tvl", d / "b.tvl");
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path sub = fs::canonical(dir_) / std::to_string(&row - rows);
        fs::create_directory(sub);
        row.Prepare(sub);
        const fs::path log = dir_ / (std::to_string(&row - rows) + ".log");
        const std::string preload = std::string("LD_PRELOAD=") + TAVRINEL_SYNC_RECORDER;
        const std::string logVariable = "TAVRINEL_SYNC_LOG=" + log.string();
        const char* env[] = {preload.c_str(), logVariable.c_str(), nullptr};
        const std::string target = (sub / "a.tvl").string();
        const char* argv[] = {TAVRINEL_SAVE_DRIVER, target.c_str(), "0", nullptr};
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, TAVRINEL_SAVE_DRIVER, nullptr, nullptr,
                                const_cast<char**>(argv), const_cast<char**>(env)),
                  0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

        std::vector<std::string> calls;
        std::istringstream lines(Contents(log));
        for (std::string line; std::getline(lines, line);) {
            calls.push_back(line);
        }
        const auto first = [&](const std::function<bool(const std::string&)>& match) {
            return std::find_if(calls.begin(), calls.end(), match) - calls.begin();
        };
        const auto count = static_cast<std::ptrdiff_t>(calls.size());
        // Whatever the side file is called, it is what the rename moves.
        const auto renamed = first([](const std::string& call) {
            return call.starts_with("rename ") && call.ends_with(" a.tvl");
        });
        const std::string side =
            renamed < count ? calls[static_cast<std::size_t>(renamed)].substr(7) : "";
        const std::string synced =
            row.Renamed ? (sub / side.substr(0, side.rfind(' '))).string() : target;
        const auto contentsSynced =
            first([&](const std::string& call) { return call == "fsync " + synced; });
        const auto folderSynced =
            first([&](const std::string& call) { return call == "fsync " + sub.string(); });
        std::string all;
        for (const std::string& call : calls) {
            all += call + "\n";
        }
        EXPECT_LT(contentsSynced, count) << all;
        if (row.Renamed) {
            EXPECT_LT(contentsSynced, renamed) << all;
            EXPECT_LT(renamed, folderSynced) << all;
            EXPECT_LT(folderSynced, count) << all;
        } else {
            EXPECT_EQ(renamed, count) << all;
        }
        EXPECT_NE(Contents(target), "earlier");
    }
}

// Saves cut short at random moments, over and over, by a signal the program
// may catch (Ctrl-C, a shutdown) or one it cannot (a kill, much as a power
// cut). A caught one takes the side file with it; after the others, the next
// save of the same file clears them. Either way nothing but the file stays,
// whatever its name: a hidden leftover holds the birth data.
TEST_F(SafeSaveTest, SavesCutShortLeaveNothingBehind) {
    const struct {
        const char* Name;
        int Signal;
        int Rounds;
        bool SavedAgain;  // checked only after one more save
    } rows[] = {
        {"interrupted", SIGINT, 60, false},
        {"terminated", SIGTERM, 60, false},
        {"killed", SIGKILL, 200, true},
    };
    // Long enough to start the program and be well into its saves.
    std::uniform_int_distribution<int> pause(0, 20000);
    std::mt19937 random(7);
    const auto leftovers = [](const fs::path& dir) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().filename() != "a.tvl") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    };
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t caught;
    sigemptyset(&caught);
    for (const int signal : {SIGINT, SIGTERM}) {
        sigaddset(&caught, signal);
    }
    // A test run in the background may ignore Ctrl-C, and its children with it.
    ::posix_spawnattr_setsigdefault(&attributes, &caught);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path sub = dir_ / row.Name;
        fs::create_directory(sub);
        const fs::path target = sub / "a.tvl";
        for (int round = 0; round < row.Rounds; ++round) {
            const char* argv[] = {TAVRINEL_SAVE_DRIVER, target.c_str(), "0", "1000000", nullptr};
            pid_t child = 0;
            ASSERT_EQ(::posix_spawn(&child, TAVRINEL_SAVE_DRIVER, nullptr, &attributes,
                                    const_cast<char**>(argv), environ),
                      0);
            ::usleep(static_cast<useconds_t>(pause(random)));
            ASSERT_EQ(::kill(child, row.Signal), 0);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.Signal)
                << "round " << round << ", status " << status;
            if (!row.SavedAgain) {
                ASSERT_EQ(leftovers(sub), std::vector<std::string>{}) << "round " << round;
            }
        }
        if (row.SavedAgain) {
            ASSERT_FALSE(SafeSave(target, "new"));
        }
        EXPECT_EQ(leftovers(sub), std::vector<std::string>{});
    }
    ::posix_spawnattr_destroy(&attributes);
}

}  // namespace
}  // namespace tavrinel
