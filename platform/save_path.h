// The Save dialog's rule that the chosen file's folder must exist: the
// dialog is shown again, at the refused path, until it does or the user
// cancels, so a save never starts towards a folder that is not there.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace tavrinel {

// Shows the dialog proposing a path; returns the choice, nothing on cancel.
using AskForPath = std::function<std::optional<QString>(const QString& proposed)>;
using TellUser = std::function<void(const QString& text)>;

[[nodiscard]] std::optional<QString> AskForPathInExistingFolder(const AskForPath& ask,
                                                                const TellUser& tell,
                                                                const QString& proposed);

// What the user is told about a path whose folder does not exist.
[[nodiscard]] QString MissingFolderMessage(const QString& path);

}  // namespace tavrinel
