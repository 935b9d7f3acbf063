#include "app/startup.h"

namespace tavrinel {

void ShowAlreadyRunning(MessageService& messages) {
    messages.Show(nullptr, QString::fromLatin1(kMessageBoxTitle),
                  QString::fromLatin1(kAlreadyRunningMessage), BoxIcon::Information,
                  BoxButtons::Ok);
}

void RunStartup(Platform& platform) {
    // UPDATE REMINDER: the call to RemindOfUpdate(platform) from help/ goes
    // here, before the main window is shown.
    static_cast<void>(platform);
}

}  // namespace tavrinel
