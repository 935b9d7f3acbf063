#include "platform/save_path.h"

#include <QDir>
#include <QFileInfo>

namespace tavrinel {

std::optional<QString> AskForPathInExistingFolder(const AskForPath& ask, const TellUser& tell,
                                                  const QString& proposed) {
    QString next = proposed;
    for (;;) {
        std::optional<QString> chosen = ask(next);
        if (!chosen || QFileInfo(QFileInfo(*chosen).absolutePath()).isDir()) {
            return chosen;
        }
        tell(MissingFolderMessage(*chosen));
        next = *chosen;
    }
}

QString MissingFolderMessage(const QString& path) {
    return QStringLiteral("%1\nThe folder does not exist. Please choose a folder that exists.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

}  // namespace tavrinel
