#include "help/web_links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavrinel {

QStringList HelpPageSearchDirs(const QString& executableDir) {
    const QDir dir(executableDir);
    return {
        dir.absolutePath(),
        QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/tavrinel"))),
        QStringLiteral(TAVRINEL_INSTALL_DATADIR),
    };
}

QUrl OnlineHelpUrl(const QStringList& searchDirs) {
    for (const QString& dir : searchDirs) {
        const QFileInfo page(QDir(dir).filePath(QString::fromLatin1(kHelpPageFileName)));
        if (page.isFile() && page.isReadable()) {
            return QUrl::fromLocalFile(page.absoluteFilePath());
        }
    }
    return QUrl(QString::fromLatin1(kOnlineHelpAddress));
}

void OpenOnlineHelp(WebService& web) {
    web.OpenUrl(OnlineHelpUrl(HelpPageSearchDirs(QCoreApplication::applicationDirPath())));
}

void OpenHomePage(WebService& web) { web.OpenUrl(QUrl(QString::fromLatin1(kHomePageAddress))); }

void OpenDownloadPage(WebService& web) {
    web.OpenUrl(QUrl(QString::fromLatin1(kDownloadPageAddress)));
}

}  // namespace tavrinel
