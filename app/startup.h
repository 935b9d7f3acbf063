// What runs between the previous-instance test and the main window.
#pragma once

#include "platform/platform.h"

namespace tavrinel {

inline constexpr const char* kMessageBoxTitle = "Tavrinel";
inline constexpr const char* kAlreadyRunningMessage = "Application is already running";

// Tells the user that another copy is running (modal, information icon).
void ShowAlreadyRunning(MessageService& messages);

// The start-up steps after the previous-instance test and before the window
// is shown: the update reminder.
void RunStartup(Platform& platform);

}  // namespace tavrinel
