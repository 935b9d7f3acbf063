// The start-up reminder that an update may be available: at most once every
// two weeks, remembered as one scrambled date in the settings store.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "platform/platform.h"

namespace tavrinel {

inline constexpr char kReminderSection[] = "Settings";
inline constexpr char kReminderKey[] = "Duration";  // stored scrambled
inline constexpr char kProgramTitle[] = "Tavrinel";
// The CR is part of the text; the Qt message box shows it as a line break.
inline constexpr char kUpdateReminderText[] =
    "There maybe an update to this software available\r"
    "Do you want to check for an update?";

// Days either side of the stored date within which nobody is asked again.
inline constexpr int kReminderQuietDays = 14;

// Due when the stored date lies more than the quiet days before today, or
// after it (a clock that was set back).
[[nodiscard]] constexpr bool IsUpdateReminderDue(long long daysFromTodayToStored) {
    return daysFromTodayToStored < -kReminderQuietDays ||
           daysFromTodayToStored > kReminderQuietDays;
}

// The date as stored before scrambling: ISO yyyy-MM-dd, so no century or
// day/month order depends on the user's locale.
[[nodiscard]] QString ReminderDateText(QDate date);
[[nodiscard]] std::optional<QDate> ReadReminderDate(const QString& text);

// Scrambled key and value as they stand in the store.
[[nodiscard]] QString ScrambledReminderKey();
[[nodiscard]] QString ScrambleForSettings(const QString& text);
[[nodiscard]] QString UnscrambleFromSettings(const QString& stored);

// Runs once at start, before the main window is shown. First start stores
// today silently; a stored value that is not a date ends it without a word.
void RemindOfUpdate(SettingsStore& settings, Clock& clock, MessageService& messages,
                    WebService& web);
void RemindOfUpdate(Platform& platform);

}  // namespace tavrinel
