#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "fake_platform.h"
#include "platform/qt_platform.h"
#include "help/update_reminder.h"
#include "help/web_links.h"

namespace tavrinel {

namespace {

const QDate kToday(2024, 3, 1);  // after a 29 February, so day counts cross it

QString StoredDate(testing::FakeSettings& settings) {
    return UnscrambleFromSettings(
        settings.Get(QString::fromLatin1(kReminderSection), ScrambledReminderKey()));
}

void StoreDate(testing::FakeSettings& settings, const QString& plain) {
    settings.Values[{QString::fromLatin1(kReminderSection), ScrambledReminderKey()}] =
        ScrambleForSettings(plain);
}

}  // namespace

class TestUpdateReminder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("tavrinel-reminder-test"));
    }

    void dayRule_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("due");
        QTest::newRow("15 days ago") << -15 << true;
        QTest::newRow("14 days ago") << -14 << false;
        QTest::newRow("today") << 0 << false;
        QTest::newRow("14 days ahead") << 14 << false;
        QTest::newRow("15 days ahead") << 15 << true;
        QTest::newRow("years ago") << -3000 << true;
    }

    void dayRule() {
        QFETCH(int, days);
        QFETCH(bool, due);
        QCOMPARE(IsUpdateReminderDue(days), due);

        testing::FakeSettings settings;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        StoreDate(settings, ReminderDateText(kToday.addDays(days)));
        RemindOfUpdate(settings, clock, messages, web);

        QCOMPARE(messages.Shown.size(), due ? 1 : 0);
        // Without a question the remembered date stays as it was.
        QCOMPARE(StoredDate(settings), ReminderDateText(due ? kToday : kToday.addDays(days)));
        QVERIFY(web.Opened.isEmpty());
    }

    void questionIsTheProgramsOwn() {
        testing::FakeSettings settings;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        StoreDate(settings, QStringLiteral("2024-01-01"));
        RemindOfUpdate(settings, clock, messages, web);

        QCOMPARE(messages.Shown.size(), 1);
        const testing::ShownBox& box = messages.Shown.constFirst();
        QCOMPARE(box.Title, QStringLiteral("Tavrinel"));
        QCOMPARE(box.Text, QStringLiteral("There maybe an update to this software available\r"
                                          "Do you want to check for an update?"));
        QCOMPARE(box.Icon, BoxIcon::Information);
        QCOMPARE(box.Buttons, BoxButtons::YesNo);
    }

    void answerYesOpensTheDownloadPageOnce_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void answerYesOpensTheDownloadPageOnce() {
        QFETCH(bool, yes);
        testing::FakeSettings settings;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        messages.Answer = yes ? BoxAnswer::Yes : BoxAnswer::No;
        StoreDate(settings, ReminderDateText(kToday.addDays(-30)));
        RemindOfUpdate(settings, clock, messages, web);

        QCOMPARE(StoredDate(settings), ReminderDateText(kToday));
        if (yes) {
            QCOMPARE(web.Opened, QList<QUrl>{QUrl(QString::fromLatin1(kDownloadPageAddress))});
        } else {
            QVERIFY(web.Opened.isEmpty());
        }

        // The next start, the same day, asks nothing.
        RemindOfUpdate(settings, clock, messages, web);
        QCOMPARE(messages.Shown.size(), 1);
    }

    void firstStartStoresTodaySilently() {
        testing::FakeSettings settings;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        RemindOfUpdate(settings, clock, messages, web);

        QVERIFY(messages.Shown.isEmpty());
        QVERIFY(web.Opened.isEmpty());
        QCOMPARE(settings.Values.size(), 1);
        const auto stored = settings.Values.constBegin();
        QCOMPARE(stored.key().first, QStringLiteral("Settings"));
        QCOMPARE(UnscrambleFromSettings(stored.key().second), QStringLiteral("Duration"));
        QVERIFY(stored.value() != QStringLiteral("2024-03-01"));  // not in the clear
        QCOMPARE(UnscrambleFromSettings(stored.value()), QStringLiteral("2024-03-01"));
    }

    void unreadableValueEndsTheReminder_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("locale date") << ScrambleForSettings(QStringLiteral("01/03/24"));
        QTest::newRow("no such day") << ScrambleForSettings(QStringLiteral("2023-02-29"));
        QTest::newRow("words") << ScrambleForSettings(QStringLiteral("yesterday"));
        QTest::newRow("not scrambled") << QStringLiteral("2024-03-01");
        QTest::newRow("only low codes") << QStringLiteral("\x01\x02");
        QTest::newRow("outside Latin-1") << QString(QChar(0x4E00));
    }

    void unreadableValueEndsTheReminder() {
        QFETCH(QString, stored);
        testing::FakeSettings settings;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        settings.Values[{QString::fromLatin1(kReminderSection), ScrambledReminderKey()}] = stored;
        RemindOfUpdate(settings, clock, messages, web);

        QVERIFY(messages.Shown.isEmpty());
        QVERIFY(web.Opened.isEmpty());
        QCOMPARE(settings.SetCount, 0);
    }

    void storedDateHasAFourDigitYear() {
        QCOMPARE(ReminderDateText(QDate(1999, 12, 31)), QStringLiteral("1999-12-31"));
        QCOMPARE(ReadReminderDate(QStringLiteral("2099-01-02")), QDate(2099, 1, 2));
        QVERIFY(!ReadReminderDate(QStringLiteral("99-01-02")));
    }

    // The real store: the scrambled key holds characters above 127, and the
    // scrambled date a ';', which an INI file treats specially.
    void realSettingsStoreKeepsScrambledKeyAndValue() {
        QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()).clear();
        const QString key = ScrambledReminderKey();
        const QString value = ScrambleForSettings(QStringLiteral("2024-03-01"));
        {
            QtSettingsStore store;
            QCOMPARE(store.Get(QStringLiteral("Settings"), key), QString());
            store.Set(QStringLiteral("Settings"), key, value);
        }
        QtSettingsStore again;
        QCOMPARE(again.Get(QStringLiteral("Settings"), key), value);

        QSettings raw(QCoreApplication::applicationName(), QCoreApplication::applicationName());
        QCOMPARE(raw.childGroups(), QStringList{QStringLiteral("Settings")});
        raw.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(raw.childKeys(), QStringList{key});
    }

    void realSettingsStoreKeepsSeparatorsInKeys() {
        QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()).clear();
        QtSettingsStore store;
        const QStringList keys = {QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                  QStringLiteral("a%2fb"), QStringLiteral("/lead"),
                                  QStringLiteral("a,b")};
        for (const QString& key : keys) {
            store.Set(QStringLiteral("Settings"), key, key + QStringLiteral(" value, with; marks"));
        }
        for (const QString& key : keys) {
            QCOMPARE(store.Get(QStringLiteral("Settings"), key),
                     key + QStringLiteral(" value, with; marks"));
        }
        QSettings raw(QCoreApplication::applicationName(), QCoreApplication::applicationName());
        QCOMPARE(raw.childGroups(), QStringList{QStringLiteral("Settings")});
    }

    void reminderRunsThroughTheRealStore() {
        QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()).clear();
        QtSettingsStore store;
        testing::FakeClock clock(kToday);
        testing::FakeMessages messages;
        testing::FakeWeb web;
        RemindOfUpdate(store, clock, messages, web);
        QVERIFY(messages.Shown.isEmpty());

        clock.Date = kToday.addDays(15);
        RemindOfUpdate(store, clock, messages, web);
        QCOMPARE(messages.Shown.size(), 1);

        RemindOfUpdate(store, clock, messages, web);
        QCOMPARE(messages.Shown.size(), 1);
    }
};

}  // namespace tavrinel

QTEST_GUILESS_MAIN(tavrinel::TestUpdateReminder)
#include "tst_update_reminder.moc"
