#include "help/update_reminder.h"

#include <string>

#include "chart/reading_file.h"
#include "help/web_links.h"

namespace tavrinel {

QString ReminderDateText(QDate date) { return date.toString(Qt::ISODate); }

std::optional<QDate> ReadReminderDate(const QString& text) {
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

QString ScrambledReminderKey() { return ScrambleForSettings(QString::fromLatin1(kReminderKey)); }

QString ScrambleForSettings(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    return QString::fromLatin1(ScrambleText(std::string_view(latin1.constData(), latin1.size())));
}

QString UnscrambleFromSettings(const QString& stored) {
    // A character the store hands back outside Latin-1 cannot have been
    // written by us; it becomes '?' and the date then fails to read.
    const QByteArray latin1 = stored.toLatin1();
    return QString::fromLatin1(
        UnscrambleText(std::string_view(latin1.constData(), latin1.size())));
}

void RemindOfUpdate(SettingsStore& settings, Clock& clock, MessageService& messages,
                    WebService& web) {
    const QString section = QString::fromLatin1(kReminderSection);
    const QString key = ScrambledReminderKey();
    const QDate today = clock.Today();
    const auto storeToday = [&] {
        settings.Set(section, key, ScrambleForSettings(ReminderDateText(today)));
    };

    const QString stored = settings.Get(section, key);
    if (stored.isEmpty()) {
        storeToday();
        return;
    }
    const std::optional<QDate> last = ReadReminderDate(UnscrambleFromSettings(stored));
    if (!last || !IsUpdateReminderDue(today.daysTo(*last))) {
        return;
    }
    const BoxAnswer answer =
        messages.Show(nullptr, QString::fromLatin1(kProgramTitle),
                      QString::fromLatin1(kUpdateReminderText), BoxIcon::Information,
                      BoxButtons::YesNo);
    storeToday();
    if (answer == BoxAnswer::Yes) {
        OpenDownloadPage(web);
    }
}

void RemindOfUpdate(Platform& platform) {
    RemindOfUpdate(platform.Settings, platform.Today, platform.Messages, platform.Web);
}

}  // namespace tavrinel
