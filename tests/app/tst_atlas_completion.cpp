// The atlas on the input panel, driven by keys as a user drives it. Pune is
// on India Standard Time (UTC+5:30, no daylight saving) in 1990 at GeoNames'
// 18.51957 N, 73.85535 E; Chicago on Central Daylight Time (UTC-5) on
// 4 July 1990 and Central Standard Time (UTC-6) in January, its clocks
// skipping 2:00-3:00 on 1 April 1990. Kathmandu (27:42N 85:19E) keeps
// Nepal's UTC+5:45, which no entry of the list has: noon there is 6:15 UT.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "app/atlas_completion.h"
#include "calculation/calculation.h"
#include "atlas/atlas.h"
#include "atlas/place_form.h"
#include "window_fixture.h"

using namespace tavrinel;

namespace {

struct Fixture : tavrinel::testing::WindowFixture {
    Fixture() {
        tavrinel::testing::Select(window, "cboMonth", "July");
        tavrinel::testing::Select(window, "cboYear", "1990");
        tavrinel::testing::Select(window, "cboHour", "12");
        window.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&window));
        Box("txtCity")->setFocus();
    }
    AtlasCompletion& Atlas() { return *window.findChild<AtlasCompletion*>(); }
    // Types into the city box and picks the first place offered with Enter.
    void TypeAndPick(const char* text) {
        QTest::keyClicks(Box("txtCity"), QLatin1String(text));
        QTest::keyClick(Box("txtCity"), Qt::Key_Return);
    }
    QString Place() {
        QStringList parts;
        for (const char* name : {"txtCity", "txtState", "txtCountry", "txtLatDeg", "txtLatMin",
                                 "txtLonDeg", "txtLonMin"}) {
            parts << Box(name)->text();
        }
        parts << (Get<QRadioButton>("optLat0")->isChecked() ? "N" : "S")
              << (Get<QRadioButton>("optLong0")->isChecked() ? "E" : "W");
        return parts.join(QLatin1Char('|'));
    }
    int Zone() { return List("cboTimeZone")->currentIndex(); }
    bool Dst() { return Get<QCheckBox>("chkDST")->isChecked(); }
};

}  // namespace

class TestAtlasCompletion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void nothingIsMadeBeforeTheCityIsUsed();
    void pickingFillsThePlaceAndTheZone_data();
    void pickingFillsThePlaceAndTheZone();
    void dateChangesRecomputeTheZone();
    void aZoneSetByHandIsKept();
    void theKeyFilterStillApplies();
    void anotherCityDropsThePlace();
    void theLineShowsOnlyWithTheInputPanel();
    void arrowsAndClicksPickToo();
    void anOpenedFileKeepsItsOwnZone();
    void anOffsetNoEntryHasIsCastExactlyByThePreciseSky();
    void aSharedNameSaysWhatElseItMeans();
    void everyOfferedTextNamesThePlacePicked();
};

void TestAtlasCompletion::nothingIsMadeBeforeTheCityIsUsed() {
    tavrinel::testing::WindowFixture f;
    QVERIFY(!f.window.findChild<QListWidget*>(QStringLiteral("lstPlaces")));
    QVERIFY(!f.window.findChild<QLabel*>(QStringLiteral("lblZoneLine")));
}

void TestAtlasCompletion::pickingFillsThePlaceAndTheZone_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("line");
    QTest::newRow("Pune") << "Pun" << "15" << "Pune, Maharashtra, India"
                          << "Pune|Maharashtra|India|18|31|73|51|N|E" << 34
                          << "Pune: India Standard Time, UTC+5:30, no daylight saving on 15 July "
                             "1990 (time-zone database)";
    QTest::newRow("Chicago") << "chicago" << "4" << "Chicago, Illinois, United States of America"
                             << "Chicago|Illinois|United States of America|41|51|87|39|N|W" << 18
                             << "Chicago: Central Daylight Time, UTC\u22125, daylight saving on 4 "
                                "July 1990 (time-zone database)";
}

void TestAtlasCompletion::pickingFillsThePlaceAndTheZone() {
    QFETCH(QString, typed);
    QFETCH(QString, day);
    QFETCH(QString, offered);
    QFETCH(QString, place);
    QFETCH(int, zone);
    QFETCH(QString, line);
    Fixture f;
    tavrinel::testing::Select(f.window, "cboDate", day.toUtf8().constData());
    QTest::keyClicks(f.Box("txtCity"), typed);
    QCOMPARE(f.Atlas().Suggestions().value(0), offered);
    QTest::keyClick(f.Box("txtCity"), Qt::Key_Return);
    QCOMPARE(f.Place(), place);
    QCOMPARE(f.Zone(), zone);
    QVERIFY(!f.Dst());
    QCOMPARE(f.Atlas().ZoneLineText(), line);
    QVERIFY(f.Atlas().Suggestions().isEmpty());
    // Told to assistive technology as a notification, by its text.
    QAccessibleInterface* told =
        QAccessible::queryAccessibleInterface(f.Get<QLabel>("lblZoneLine"));
    QCOMPARE(told->role(), QAccessible::Notification);
    QCOMPARE(told->text(QAccessible::Name), line);
}

void TestAtlasCompletion::dateChangesRecomputeTheZone() {
    Fixture f;
    tavrinel::testing::Select(f.window, "cboDate", "4");
    f.TypeAndPick("Chicago");
    QCOMPARE(f.Zone(), 18);
    tavrinel::testing::Select(f.window, "cboMonth", "January");
    QCOMPARE(f.Zone(), 21);
    // 2:30 on 1 April 1990 did not exist in Chicago: the list stays.
    tavrinel::testing::Select(f.window, "cboDate", "1");
    tavrinel::testing::Select(f.window, "cboHour", "2");
    tavrinel::testing::Select(f.window, "cboMinute", "30");
    tavrinel::testing::Select(f.window, "cboMonth", "April");
    QCOMPARE(f.Zone(), 21);
    QVERIFY2(f.Atlas().ZoneLineText().contains(QLatin1String("did not exist")),
             qPrintable(f.Atlas().ZoneLineText()));
}

void TestAtlasCompletion::aZoneSetByHandIsKept() {
    Fixture f;
    tavrinel::testing::Select(f.window, "cboDate", "4");
    f.TypeAndPick("Chicago");
    QComboBox* zone = f.List("cboTimeZone");
    zone->setCurrentIndex(21);
    emit zone->activated(21);  // as a choice from the open list sends it
    QTest::mouseClick(f.Get<QCheckBox>("chkDST"), Qt::LeftButton);
    tavrinel::testing::Select(f.window, "cboMonth", "August");
    QCOMPARE(f.Zone(), 21);
    QVERIFY(f.Dst());
    QVERIFY2(f.Atlas().ZoneLineText().contains(QLatin1String("your own choice of zone is kept")),
             qPrintable(f.Atlas().ZoneLineText()));
    // A new pick is a new place: the atlas decides again.
    f.Box("txtCity")->clear();
    f.TypeAndPick("Chicago");
    QCOMPARE(f.Zone(), 18);
    QVERIFY(!f.Dst());
}

void TestAtlasCompletion::theKeyFilterStillApplies() {
    Fixture f;
    QTest::keyClicks(f.Box("txtCity"), QStringLiteral("Pu7"));
    QCOMPARE(f.Box("txtCity")->text(), QStringLiteral("Pu"));
    QCOMPARE(f.platform.Messages.Texts(), QStringList{QStringLiteral("Please enter only letters")});
}

void TestAtlasCompletion::anotherCityDropsThePlace() {
    Fixture f;
    tavrinel::testing::Select(f.window, "cboDate", "15");
    f.TypeAndPick("Pun");
    QVERIFY(!f.Atlas().ZoneLineText().isEmpty());
    QTest::keyClick(f.Box("txtCity"), Qt::Key_End);
    QTest::keyClick(f.Box("txtCity"), Qt::Key_Backspace);
    QVERIFY(f.Atlas().ZoneLineText().isEmpty());
    f.List("cboTimeZone")->setCurrentIndex(3);
    tavrinel::testing::Select(f.window, "cboMonth", "January");
    QCOMPARE(f.Zone(), 3);  // no longer the atlas's to change
}

void TestAtlasCompletion::theLineShowsOnlyWithTheInputPanel() {
    Fixture f;
    f.Box("txtName")->setText(QStringLiteral("Ann"));
    f.TypeAndPick("Pun");
    auto* line = f.Get<QLabel>("lblZoneLine");
    QVERIFY(line->isVisible());
    QTest::mouseClick(f.Get<QPushButton>("cmdCalculate"), Qt::LeftButton);
    QVERIFY(f.ReadingInFront());
    QVERIFY(!line->isVisible());
    QTest::mouseClick(f.Get<QPushButton>("cmdBack"), Qt::LeftButton);
    QVERIFY(line->isVisible());
}

void TestAtlasCompletion::arrowsAndClicksPickToo() {
    Fixture f;
    QTest::keyClicks(f.Box("txtCity"), QStringLiteral("Pun"));
    const QStringList offered = f.Atlas().Suggestions();
    QVERIFY(offered.size() >= 3);
    // As in a completer's popup, nothing is current as the list opens: Down
    // comes to the first place, Up to the last.
    const std::pair<std::vector<Qt::Key>, int> keys[] = {
        {{Qt::Key_Down}, 0},
        {{Qt::Key_Up}, int(offered.size()) - 1},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, 0},
        {{Qt::Key_Down, Qt::Key_Down}, 1},
    };
    for (const auto& [presses, row] : keys) {
        f.Box("txtCity")->clear();
        QTest::keyClicks(f.Box("txtCity"), QStringLiteral("Pun"));
        for (const Qt::Key key : presses) {
            QTest::keyClick(f.Box("txtCity"), key);
        }
        QTest::keyClick(f.Box("txtCity"), Qt::Key_Return);
        QCOMPARE(f.Box("txtCity")->text() + ", " + f.Box("txtState")->text(),
                 offered[row].section(QStringLiteral(", "), 0, 1));
    }
    f.Box("txtCity")->clear();
    QTest::keyClicks(f.Box("txtCity"), QStringLiteral("Pun"));
    auto* list = f.Get<QListWidget>("lstPlaces");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    QCOMPARE(f.Box("txtState")->text(), offered[2].section(QStringLiteral(", "), 1, 1));
    QTest::keyClicks(f.Box("txtCity"), QStringLiteral("x"));
    QTest::keyClick(f.Box("txtCity"), Qt::Key_Escape);
    QVERIFY(f.Atlas().Suggestions().isEmpty());
}

void TestAtlasCompletion::anOpenedFileKeepsItsOwnZone() {
    // A reading of Pune kept on Central Daylight Time with the box ticked:
    // the file's choice, not the atlas's.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pune.tvl"));
    {
        tavrinel::testing::WindowFixture saved;
        saved.FillAnn();
        saved.Box("txtCity")->setText(QStringLiteral("Pune"));
        saved.List("cboTimeZone")->setCurrentIndex(18);
        saved.Get<QCheckBox>("chkDST")->setChecked(true);
        saved.window.Calculate();
        saved.platform.Files.SaveAnswers = {path};
        saved.Get<QPushButton>("cmdSave")->click();
        QVERIFY(saved.platform.Messages.Shown.isEmpty());
    }
    Fixture f;
    f.Box("txtName")->setText(QStringLiteral("Ann"));
    f.TypeAndPick("Pun");
    QCOMPARE(f.Zone(), 34);
    f.platform.Files.OpenAnswers = {path};
    f.Get<QPushButton>("cmdOpen")->click();
    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QCOMPARE(f.Zone(), 18);
    QVERIFY(f.Dst());
    QCOMPARE(f.Atlas().ZoneLineText(), QString());
    f.Get<QPushButton>("cmdBack")->click();
    tavrinel::testing::Select(f.window, "cboMonth", "August");
    QCOMPARE(f.Zone(), 18);
    QVERIFY(f.Dst());
    QCOMPARE(f.Atlas().ZoneLineText(), QString());
}

namespace {

struct NoSink final : ReadingSink {
    void Clear() override {}
    void Append(std::string_view, int, bool) override {}
    void ShowReadingPanel() override {}
};

// The window's chart cast again at 6:15 with Greenwich Mean Time's entry.
ChartState AtSixFifteenUniversal(const BirthForm& kathmandu) {
    BirthForm form = kathmandu;
    form.HourIndex = 6;
    form.MinuteIndex = 15;
    form.ZoneIndex = 29;
    form.DaylightSaving = false;
    form.UtcOffsetSeconds.reset();
    ChartState chart;
    NoSink sink;
    static_cast<void>(CalculateChart(form, chart, sink, SkyChoice{SkyEngine::Precise, {}}));
    return chart;
}

}  // namespace

void TestAtlasCompletion::anOffsetNoEntryHasIsCastExactlyByThePreciseSky() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kathmandu.tvl"));
    Fixture f;
    f.Box("txtName")->setText(QStringLiteral("Ann"));
    tavrinel::testing::Select(f.window, "cboDate", "15");
    f.TypeAndPick("Kathmandu");
    const QString opening = QStringLiteral(
        "Kathmandu: UTC+5:45, no daylight saving on 15 July 1990 (time-zone database); no list "
        "entry has this offset; ");
    QCOMPARE(f.Atlas().ZoneLineText(),
             opening + "only the precise sky (Sky menu) can cast it, or choose the zone yourself");
    QCOMPARE(f.Zone(), 34);  // the nearest entry, for the file's zone line
    // The documented sky would take the entry's UTC+5:30: no reading instead.
    QTest::mouseClick(f.Get<QPushButton>("cmdCalculate"), Qt::LeftButton);
    QVERIFY(f.InputInFront());
    QCOMPARE(f.platform.Messages.Texts(), QStringList{QLatin1String(kExactOffsetNeedsPreciseSky)});

    f.Menu("mnuSkyPrecise")->trigger();
    QCOMPARE(f.Atlas().ZoneLineText(),
             opening + "the precise sky casts the chart at exactly UTC+5:45");
    QTest::mouseClick(f.Get<QPushButton>("cmdCalculate"), Qt::LeftButton);
    QVERIFY(f.ReadingInFront());
    const ChartState expected = AtSixFifteenUniversal(f.window.ReadForm());
    QCOMPARE(f.chart.PlanetPositionTexts, expected.PlanetPositionTexts);
    QCOMPARE(f.chart.MoonPositionText, expected.MoonPositionText);
    QCOMPARE(f.chart.LagnaLongitude, expected.LagnaLongitude);

    f.platform.Files.SaveAnswers = {path};
    f.Get<QPushButton>("cmdSave")->click();
    QCOMPARE(f.platform.Messages.Shown.size(), 1);

    // Opened again, the reading keeps UTC+5:45 and the line says so.
    tavrinel::testing::WindowFixture g;
    g.Menu("mnuSkyPrecise")->trigger();
    g.platform.Files.OpenAnswers = {path};
    g.Get<QPushButton>("cmdOpen")->click();
    QVERIFY(g.platform.Messages.Shown.isEmpty());
    QCOMPARE(g.chart.ExactUtcOffsetSeconds, std::optional<int>(20700));
    QCOMPARE(g.chart.PlanetPositionTexts, expected.PlanetPositionTexts);
    QCOMPARE(g.window.findChild<AtlasCompletion*>()->ZoneLineText(),
             QStringLiteral("The reading opened was cast at UTC+5:45, which no list entry has; "
                            "the precise sky casts the chart at exactly UTC+5:45"));
    // A zone chosen by hand is the user's: the documented sky casts it.
    g.Get<QPushButton>("cmdBack")->click();
    g.Menu("mnuSkyDocumented")->trigger();
    QComboBox* zone = g.List("cboTimeZone");
    QCOMPARE(zone->currentIndex(), 34);
    emit zone->activated(34);
    QCOMPARE(g.window.findChild<AtlasCompletion*>()->ZoneLineText(), QString());
    QTest::mouseClick(g.Get<QPushButton>("cmdCalculate"), Qt::LeftButton);
    QVERIFY(g.ReadingInFront());
    QCOMPARE(g.chart.ExactUtcOffsetSeconds, std::nullopt);
}

void TestAtlasCompletion::aSharedNameSaysWhatElseItMeans() {
    Fixture f;
    tavrinel::testing::Select(f.window, "cboDate", "15");
    f.TypeAndPick("London");
    QVERIFY2(f.Atlas().ZoneLineText().startsWith(QStringLiteral("London: British Summer Time")),
             qPrintable(f.Atlas().ZoneLineText()));
    QVERIFY2(f.Atlas().ZoneLineText().endsWith(
                 QStringLiteral("; the name London also means London, Ontario, Canada")),
             qPrintable(f.Atlas().ZoneLineText()));
}

QTEST_MAIN(TestAtlasCompletion)
// Each text offered is the one --place takes for the place it picks, even
// where places share a name, a state and a country (two Rajgarhs in
// Rajasthan) or differ only by their accents (Chandur and Chāndūr).
void TestAtlasCompletion::everyOfferedTextNamesThePlacePicked() {
    for (const char* typed : {"Rajgarh", "Chandur", "Gwangju", "Kirov", "Springfield"}) {
        Fixture f;
        QTest::keyClicks(f.Box("txtCity"), QLatin1String(typed));
        const QStringList offered = f.Atlas().Suggestions();
        QVERIFY2(offered.size() > 1, typed);
        for (int row = 0; row < offered.size(); ++row) {
            const atlas::Place* named =
                atlas::Atlas::Shared().Find(offered[row].toStdString()).Found;
            QVERIFY2(named, qPrintable(offered[row]));
            f.Atlas().Pick(row);
            const atlas::BoxAngle lat = atlas::ToBoxAngle(named->Latitude);
            const atlas::BoxAngle lon = atlas::ToBoxAngle(named->Longitude);
            QCOMPARE(f.Place().section(QLatin1Char('|'), 3),
                     QStringLiteral("%1|%2|%3|%4|%5|%6")
                         .arg(lat.Degrees).arg(lat.Minutes).arg(lon.Degrees).arg(lon.Minutes)
                         .arg(lat.Positive ? "N" : "S").arg(lon.Positive ? "E" : "W"));
        }
    }
}

#include "tst_atlas_completion.moc"
