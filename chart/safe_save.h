// The one way a file the user chose is written (reading files now, exported
// pictures and texts later): the path ends up holding either the complete old
// content or the complete new content, never a mix, whatever else runs at the
// same time. Plain POSIX, so the window and the command line share it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrinel {

struct SaveFailure {
    std::string Message;  // "The file PATH could not be saved: REASON"
};

// Writes the whole of `bytes` to `path`:
// - a symbolic link is followed to the file it names, which is the one
//   written; the link itself stays; another user's link in a shared folder
//   with the sticky bit is refused, as the system refuses to follow it;
// - an existing file keeps its permissions and, where this user may set
//   them, its owner and group, and is refused when this user cannot write it
//   (or it carries no write permission for anyone);
// - the new content goes into a side file with a fresh, exclusively created
//   name next to the target, private until complete, forced to the disk,
//   then renamed over the target, and the folder is forced to the disk too;
// - a file with several hard links, one in a folder this user cannot write,
//   or one whose owner or group this user cannot give back to a new file, is
//   rewritten in place instead (see the definition for why);
// - a side file is locked while it exists, and removed when Ctrl-C or
//   another ending signal cuts the save short (where the program left that
//   signal's action as it was); the side files of the same target that no
//   running save holds, left by a save killed outright, are removed.
[[nodiscard]] std::optional<SaveFailure> SafeSave(const std::filesystem::path& path,
                                                  std::string_view bytes);

// The name of a side file for `targetName`: hidden, unique through `tag`, and
// never longer than a file name may be, however long the target's name is.
[[nodiscard]] std::string SideFileName(std::string_view targetName, std::string_view tag);

}  // namespace tavrinel
