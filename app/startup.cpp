#include "app/startup.h"

#include "help/update_reminder.h"

namespace tavrinel {

void ShowAlreadyRunning(MessageService& messages) {
    messages.Show(nullptr, QString::fromLatin1(kMessageBoxTitle),
                  QString::fromLatin1(kAlreadyRunningMessage), BoxIcon::Information,
                  BoxButtons::Ok);
}

void RunStartup(Platform& platform) { RemindOfUpdate(platform); }

}  // namespace tavrinel
