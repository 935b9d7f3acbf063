// The web pages of the Help menu (online help, the home page and the download
// page) and the two addresses of the location look-up. Every address the
// program opens stands here and nowhere else.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include "platform/platform.h"

namespace tavrinel {

// Placeholder host until the project has one of its own.
inline constexpr char kHomePageAddress[] = "https://tavrinel.example.org/";
inline constexpr char kDownloadPageAddress[] =
    "https://tavrinel.example.org/download-tavrinel.html";
inline constexpr char kOnlineHelpAddress[] = "https://tavrinel.example.org/tavrinel-help.html";

// The location look-up searches the web for a place's coordinates, limited to
// one site that lists them.
inline constexpr char kWebSearchAddress[] = "https://duckduckgo.com/";
inline constexpr char kCoordinatesSiteAddress[] = "https://www.latlong.net/";

// The help page as it is shipped with the program.
inline constexpr char kHelpPageFileName[] = "tavrinel-help.html";

// Where the shipped help page may be, in the order they are tried: beside the
// executable, ../share/tavrinel from it (installed, or the build tree), and
// the install prefix's data folder.
[[nodiscard]] QStringList HelpPageSearchDirs(const QString& executableDir);

// A file:// address of the first help page found, or the online address when
// none is there.
[[nodiscard]] QUrl OnlineHelpUrl(const QStringList& searchDirs);

// The Help menu's commands. Each opens one page and reports nothing.
void OpenOnlineHelp(WebService& web);  // looks from the running executable
void OpenHomePage(WebService& web);
void OpenDownloadPage(WebService& web);

}  // namespace tavrinel
