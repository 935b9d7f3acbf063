// Save and Open through the window, with the file dialogs answered by the
// fake: round trips of random charts, cancelled dialogs, a Save that cannot
// write, and damaged files.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <sys/stat.h>

#include "app/frm_main.h"
#include "chart/reading_file.h"
#include "window_fixture.h"

using namespace tavrinel;

namespace {

const QString kCheckFile = QStringLiteral("Please Check The File.");

struct Fixture : testing::WindowFixture {
    QString Reading() { return Get<QTextEdit>("RTB")->toHtml(); }

    // Every control of the input panel by name, as the user sees it.
    QStringList Controls() {
        QStringList state;
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (!box->objectName().isEmpty()) {
                state << box->objectName() + QLatin1Char('=') + box->text();
            }
        }
        for (QComboBox* list : window.findChildren<QComboBox*>()) {
            state << list->objectName() + QLatin1Char('=') + list->currentText();
        }
        for (QAbstractButton* option : window.findChildren<QAbstractButton*>()) {
            if (option->isCheckable()) {
                state << option->objectName() + (option->isChecked() ? "=on" : "=off");
            }
        }
        return state;
    }

    void Fill(const QStringList& texts) {  // name, lat, lat min, lon, lon min, city, state, country
        const char* boxes[] = {"txtName", "txtLatDeg", "txtLatMin", "txtLonDeg",
                               "txtLonMin", "txtCity", "txtState", "txtCountry"};
        for (int i = 0; i < 8; ++i) {
            Box(boxes[i])->setText(texts[i]);
        }
    }
    void Save(const QString& path) {
        platform.Files.SaveAnswers = {path};
        Get<QPushButton>("cmdSave")->click();
    }
    void Open(const QString& path) {
        platform.Files.OpenAnswers = {path};
        Get<QPushButton>("cmdOpen")->click();
    }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A reading file from its plain lines, scrambled as the program writes them.
void WriteFile(const QString& path, const QStringList& plainLines) {
    QByteArray bytes;
    for (const QString& line : plainLines) {
        const QByteArray latin1 = line.toLatin1();
        bytes += QByteArray::fromStdString(
            ScrambleText({latin1.constData(), static_cast<std::size_t>(latin1.size())}));
        bytes += "\r\n";
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Ann's chart as a file: 2 March 1990, zone 34, 28°36' S, 77°12' W, DST.
QStringList AnnLines() {
    return {"Ann", "3", "2", "1990", "12", "0", "34", "77", "12", "28", "36",
            "False", "True", "True", "New Delhi", "Delhi", "India"};
}

QString RandomWord(QRandomGenerator& random) {
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QString word;
    const int length = random.bounded(1, 9);
    for (int i = 0; i < length; ++i) {
        word += letters[random.bounded(letters.size())];
    }
    return word;
}

// Letters with blanks inside and, sometimes, around.
QString RandomName(QRandomGenerator& random) {
    QString name = RandomWord(random);
    if (random.bounded(2)) {
        name += QLatin1Char(' ') + RandomWord(random);
    }
    return QString(random.bounded(3), QLatin1Char(' ')) + name +
           QString(random.bounded(3), QLatin1Char(' '));
}

}  // namespace

class TestFrmMainFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void saveThenOpenGivesTheSameControlsAndReading();
    void saveAsksWithTheProposedNameAndChangesNothingElse();  // cancelling included
    void failedSaveSaysSoAndKeepsTheEarlierFile();
    void textOfBlanksIsNotSaved();
    void cancelledOrRefusedOpenChangesNothing();
    void shortFileStopsAtTheEmptyCity();
    void emptyDirectionLinesChooseEastSouthAndDaylightSaving();
    void longNumberLineIsRefusedNotShortened();
    void damagedListLinesLeaveTheirListsAlone();
    void theOffsetLineIsTheZonesOrRefusedWhenDamaged();
};

void TestFrmMainFiles::saveThenOpenGivesTheSameControlsAndReading() {
    QTemporaryDir dir;
    Fixture saving;
    Fixture opening;
    QRandomGenerator random(20240315);  // fixed: a failure can be replayed

    // Every zone once, each with its own random chart.
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const QString name = RandomName(random);
        const QString city = RandomName(random);
        const QString state = RandomName(random);
        const QString country = RandomName(random);
        saving.Fill({name, QString::number(random.bounded(1000)),
                     QString::number(random.bounded(1000)), QString::number(random.bounded(1000)),
                     QString::number(random.bounded(1000)), city, state, country});
        saving.List("cboMonth")->setCurrentIndex(random.bounded(kMonthCount));
        saving.List("cboDate")->setCurrentIndex(random.bounded(28));  // a day every month has
        saving.List("cboYear")->setCurrentIndex(random.bounded(kYearCount));
        saving.List("cboHour")->setCurrentIndex(random.bounded(kHourCount));
        saving.List("cboMinute")->setCurrentIndex(random.bounded(kMinuteCount));
        saving.List("cboTimeZone")->setCurrentIndex(zone);
        saving.Get<QRadioButton>(random.bounded(2) ? "optLat1" : "optLat0")->setChecked(true);
        saving.Get<QRadioButton>(random.bounded(2) ? "optLong1" : "optLong0")->setChecked(true);
        saving.Get<QCheckBox>("chkDST")->setChecked(random.bounded(2));
        saving.Get<QPushButton>("cmdCalculate")->click();
        QVERIFY2(saving.platform.Messages.Shown.isEmpty(), qPrintable(saving.Controls().join(' ')));

        const QString path = dir.filePath(QStringLiteral("chart%1.tvl").arg(zone));
        saving.Save(path);
        opening.Open(path);

        // Only the blanks around the texts are gone.
        QStringList expected = saving.Controls();
        for (QString& control : expected) {
            const qsizetype equals = control.indexOf(QLatin1Char('='));
            if (control.startsWith(QLatin1String("txt"))) {
                control = control.left(equals + 1) + control.mid(equals + 1).trimmed();
            }
        }
        QCOMPARE(opening.Controls(), expected);
        QVERIFY(opening.platform.Messages.Shown.isEmpty());
        QVERIFY(opening.ReadingInFront());
        QCOMPARE(opening.Reading(), saving.Reading());
        QCOMPARE(QString::fromStdString(opening.chart.PersonName), name.trimmed());
        QCOMPARE(opening.chart.PlanetPositionTexts, saving.chart.PlanetPositionTexts);
        QCOMPARE(opening.chart.CityName, saving.chart.CityName);
        QVERIFY(opening.chart.SaveFileName.empty());
    }
}

void TestFrmMainFiles::saveAsksWithTheProposedNameAndChangesNothingElse() {
    QTemporaryDir dir;
    Fixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();
    const QString html = f.Reading();
    const QStringList controls = f.Controls();
    const std::string before = WriteReadingFile(f.chart, 34);

    const QString first = dir.filePath(QStringLiteral("ann.tvl"));
    const QString second = dir.filePath(QStringLiteral("ann again.tvl"));
    f.Save(first);
    f.Save(second);
    const QByteArray saved = ReadAll(second);
    f.Get<QPushButton>("cmdSave")->click();  // cancelled: nothing is written

    const QList<FileDialogRequest>& asked = f.platform.Files.SaveRequests;
    QCOMPARE(asked.size(), 3);
    for (const FileDialogRequest& request : asked) {
        QCOMPARE(request.Title, QStringLiteral("Tavrinel"));
        QCOMPARE(request.Filter, QStringLiteral("Tavrinel (*.tvl)"));
        QCOMPARE(request.DefaultSuffix, QStringLiteral("tvl"));
    }
    QCOMPARE(asked[0].ProposedPath, QString());
    QCOMPARE(asked[1].ProposedPath, first);
    QCOMPARE(asked[2].ProposedPath, second);
    QCOMPARE(QString::fromStdString(f.chart.SaveFileName), second);
    QCOMPARE(ReadAll(first), saved);
    QCOMPARE(ReadAll(second), saved);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QVERIFY(f.ReadingInFront());
    QCOMPARE(f.Reading(), html);
    QCOMPARE(f.Controls(), controls);
    QCOMPARE(WriteReadingFile(f.chart, 34), before);
}

void TestFrmMainFiles::failedSaveSaysSoAndKeepsTheEarlierFile() {
    QTemporaryDir dir;
    Fixture f;
    f.FillAnn();
    f.Get<QPushButton>("cmdCalculate")->click();

    // A folder that is not there.
    const QString nowhere = dir.filePath(QStringLiteral("gone/ann.tvl"));
    f.Save(nowhere);
    QCOMPARE(f.platform.Messages.Shown.size(), 1);
    QVERIFY2(f.platform.Messages.Shown[0].Text.contains(nowhere),
             qPrintable(f.platform.Messages.Shown[0].Text));
    QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
    QCOMPARE(f.platform.Messages.Shown[0].Title, QStringLiteral("Tavrinel"));
    QCOMPARE(QString::fromStdString(f.chart.SaveFileName), nowhere);
    QVERIFY(!QFile::exists(nowhere));

    // An earlier file the user has write-protected since.
    const QString earlier = dir.filePath(QStringLiteral("kept.tvl"));
    f.Save(earlier);
    QCOMPARE(f.platform.Messages.Shown.size(), 1);
    const QByteArray saved = ReadAll(earlier);
    QVERIFY(QFile::setPermissions(earlier, QFile::ReadOwner | QFile::ReadGroup));
    f.List("cboYear")->setCurrentText(QStringLiteral("2001"));
    f.Get<QPushButton>("cmdCalculate")->click();
    f.Save(earlier);
    QCOMPARE(f.platform.Messages.Shown.size(), 2);
    QVERIFY(f.platform.Messages.Shown[1].Text.contains(earlier));
    QCOMPARE(ReadAll(earlier), saved);
    QCOMPARE(QString::fromStdString(f.chart.SaveFileName), earlier);
    QVERIFY(f.ReadingInFront());
}

// Blanks alone pass Calculate, but the file trims them away and Open would
// refuse the reading: Save says which box and why, and writes nothing.
void TestFrmMainFiles::textOfBlanksIsNotSaved() {
    const struct {
        const char* Box;
        const char* Text;
        const char* Expected;
    } rows[] = {
        {"txtName", "   ", "the Name box would be saved empty (the file drops the blanks around "
                           "a text) and the window refuses that on Open: Please Enter Your Name."},
        {"txtCity", " ", "the City box would be saved empty"},
        {"txtState", "    ", "the State box would be saved empty (the file drops the blanks "
                             "around a text) and the window refuses that on Open: Please Enter "
                             "Your State name."},
        {"txtCountry", "  ", "Please Enter Your Country name."},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        Fixture f;
        f.FillAnn();
        f.Box(row.Box)->setText(QLatin1String(row.Text));
        f.Get<QPushButton>("cmdCalculate")->click();
        QVERIFY2(f.ReadingInFront(), row.Box);
        f.Save(dir.filePath(QStringLiteral("blank.tvl")));
        QCOMPARE(f.platform.Messages.Shown.size(), 1);
        const QString text = f.platform.Messages.Shown[0].Text;
        QVERIFY2(text.startsWith(QStringLiteral("The reading was not saved: ")), qPrintable(text));
        QVERIFY2(text.contains(QLatin1String(row.Expected)), qPrintable(text));
        QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
        QVERIFY(f.platform.Files.SaveRequests.isEmpty());
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(f.ReadingInFront());
    }
}

void TestFrmMainFiles::cancelledOrRefusedOpenChangesNothing() {
    QTemporaryDir dir;
    Fixture f;
    f.FillAnn();
    const QStringList controls = f.Controls();

    f.Get<QPushButton>("cmdOpen")->click();  // cancelled
    QCOMPARE(f.platform.Files.OpenRequests.size(), 1);
    const FileDialogRequest& request = f.platform.Files.OpenRequests[0];
    QCOMPARE(request.Title, QStringLiteral("Select the source file"));
    QCOMPARE(request.Filter, QStringLiteral("Tavrinel (*.tvl)"));
    QCOMPARE(request.DefaultSuffix, QStringLiteral("tvl"));
    QCOMPARE(request.ProposedPath, QString());
    QVERIFY(f.platform.Messages.Shown.isEmpty());

    // A good file whose name ends in capitals is not read.
    const QString upper = dir.filePath(QStringLiteral("ann.TVL"));
    WriteFile(upper, AnnLines());
    f.Open(upper);
    QCOMPARE(f.platform.Messages.Texts(), QStringList{kCheckFile});
    QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);

    // A named pipe with nobody writing to it is refused at once, not
    // waited on.
    const QString pipe = dir.filePath(QStringLiteral("pipe.tvl"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    f.Open(pipe);
    QCOMPARE(f.platform.Messages.Texts(), (QStringList{kCheckFile, kCheckFile}));

    QCOMPARE(f.Controls(), controls);
    QVERIFY(f.InputInFront());
    QVERIFY(f.chart.PersonName.empty());
}

void TestFrmMainFiles::shortFileStopsAtTheEmptyCity() {
    QTemporaryDir dir;
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.FillAnn();
    const QString path = dir.filePath(QStringLiteral("short.tvl"));
    WriteFile(path, AnnLines().mid(0, 14));

    f.Open(path);

    QCOMPARE(f.platform.Messages.Texts(), QStringList{"Please Enter Your City name"});
    QVERIFY(f.InputInFront());
    QCOMPARE(QApplication::focusWidget(), f.Box("txtCity"));
    for (const char* box : {"txtCity", "txtState", "txtCountry"}) {
        QVERIFY2(f.Box(box)->text().isEmpty(), box);
    }
    // The fourteen lines did arrive.
    QCOMPARE(f.List("cboMonth")->currentText(), QStringLiteral("March"));
    QCOMPARE(f.List("cboDate")->currentText(), QStringLiteral("2"));
    QCOMPARE(f.Box("txtLonDeg")->text(), QStringLiteral("77"));
    QVERIFY(f.Get<QRadioButton>("optLong1")->isChecked());
    QVERIFY(f.Get<QRadioButton>("optLat1")->isChecked());
    QVERIFY(f.Get<QCheckBox>("chkDST")->isChecked());
    QVERIFY(f.chart.PersonName.empty());
}

void TestFrmMainFiles::emptyDirectionLinesChooseEastSouthAndDaylightSaving() {
    QTemporaryDir dir;
    Fixture f;
    // The opposite of what the empty lines choose.
    f.Get<QRadioButton>("optLong1")->setChecked(true);
    f.Get<QCheckBox>("chkDST")->setChecked(false);
    QStringList lines = AnnLines();
    lines[11] = lines[12] = lines[13] = QString();
    // A name the key filter would refuse is taken from a file as it stands.
    lines[0] = QStringLiteral("O'Brien 2nd");
    const QString path = dir.filePath(QStringLiteral("empty.tvl"));
    WriteFile(path, lines);

    f.Open(path);

    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QVERIFY(f.Get<QRadioButton>("optLong0")->isChecked());
    QVERIFY(f.Get<QRadioButton>("optLat1")->isChecked());
    QVERIFY(f.Get<QCheckBox>("chkDST")->isChecked());
    QCOMPARE(f.Box("txtName")->text(), QStringLiteral("O'Brien 2nd"));
    QVERIFY(f.ReadingInFront());
    QCOMPARE(int(f.chart.LonDirection), -1);
    QCOMPARE(int(f.chart.LatDirection), -1);
    QCOMPARE(int(f.chart.DaylightSaving), -1);
    QCOMPARE(f.chart.PersonName, std::string("O'Brien 2nd"));
}

void TestFrmMainFiles::longNumberLineIsRefusedNotShortened() {
    QTemporaryDir dir;
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QStringList lines = AnnLines();
    lines[9] = QStringLiteral("1234");  // latitude degrees
    const QString path = dir.filePath(QStringLiteral("long.tvl"));
    WriteFile(path, lines);

    f.Open(path);

    QLineEdit* degrees = f.Box("txtLatDeg");
    QCOMPARE(degrees->text(), QStringLiteral("1234"));
    QCOMPARE(f.platform.Messages.Texts(),
              QStringList{"The value is too long: please enter at most three digits"});
    QCOMPARE(QApplication::focusWidget(), degrees);
    QVERIFY(f.InputInFront());
    QVERIFY(f.chart.PersonName.empty());

    // Typing makes it no longer, and once it is short it is three at most.
    degrees->end(false);
    QTest::keyClicks(degrees, QStringLiteral("5"));
    QCOMPARE(degrees->text(), QStringLiteral("1234"));
    QTest::keyClick(degrees, Qt::Key_Backspace);
    QTest::keyClick(degrees, Qt::Key_Backspace);
    QTest::keyClicks(degrees, QStringLiteral("56"));
    QCOMPARE(degrees->text(), QStringLiteral("125"));
    QCOMPARE(degrees->maxLength(), 3);

    // The same box from an ordinary file.
    lines[9] = QStringLiteral("28");
    WriteFile(path, lines);
    f.Open(path);
    QCOMPARE(degrees->text(), QStringLiteral("28"));
    QVERIFY(f.ReadingInFront());
    QCOMPARE(int(f.chart.LatDegrees), 28);
}

// Ann's file says Indian Time with daylight saving: UTC+6:30. A line after
// the seventeen that says so too is the zone's own, which the documented sky
// casts; a damaged one is refused like any damaged file, and the chart on
// screen stays as it was rather than being cast at the zone's offset.
void TestFrmMainFiles::theOffsetLineIsTheZonesOrRefusedWhenDamaged() {
    QTemporaryDir dir;
    Fixture f;
    const QString zones = dir.filePath(QStringLiteral("zones.tvl"));
    WriteFile(zones, AnnLines() << QStringLiteral("UtcOffsetSeconds=23400"));
    f.Open(zones);
    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QVERIFY(f.ReadingInFront());
    QCOMPARE(f.chart.ExactUtcOffsetSeconds, std::nullopt);
    QVERIFY(!f.chart.PlanetPositionTexts[0].empty());

    const QStringList controls = f.Controls();
    const QString reading = f.Reading();
    const ChartState before = f.chart;
    const QString damaged = dir.filePath(QStringLiteral("damaged.tvl"));
    QStringList lines = AnnLines();
    lines[0] = QStringLiteral("Bob");
    WriteFile(damaged, lines << QStringLiteral("UtcOffsetSeconds=+20700"));
    f.Open(damaged);
    QCOMPARE(f.platform.Messages.Texts(), QStringList{kCheckFile});
    QCOMPARE(f.platform.Messages.Shown[0].Icon, BoxIcon::Error);
    QCOMPARE(f.Controls(), controls);
    QCOMPARE(f.Reading(), reading);
    QCOMPARE(f.chart.PersonName, before.PersonName);
    QCOMPARE(f.chart.PlanetPositionTexts, before.PlanetPositionTexts);
}

void TestFrmMainFiles::damagedListLinesLeaveTheirListsAlone() {
    QTemporaryDir dir;
    Fixture f;
    f.List("cboMonth")->setCurrentIndex(4);
    f.List("cboDate")->setCurrentIndex(9);
    f.List("cboYear")->setCurrentIndex(20);
    f.List("cboHour")->setCurrentIndex(24);
    f.List("cboMinute")->setCurrentIndex(59);
    f.List("cboTimeZone")->setCurrentIndex(70);
    QStringList lines = AnnLines();
    const QString damaged[] = {"13", "05", "1900", "25", "", "71"};  // month .. zone
    for (int i = 0; i < 6; ++i) {
        lines[1 + i] = damaged[i];
    }
    const QString path = dir.filePath(QStringLiteral("damaged.tvl"));
    WriteFile(path, lines);

    f.Open(path);

    QCOMPARE(f.List("cboMonth")->currentText(), QStringLiteral("May"));
    QCOMPARE(f.List("cboDate")->currentText(), QStringLiteral("10"));
    QCOMPARE(f.List("cboYear")->currentText(), QStringLiteral("1921"));
    QCOMPARE(f.List("cboHour")->currentText(), QStringLiteral("24"));
    QCOMPARE(f.List("cboMinute")->currentText(), QStringLiteral("59"));
    QCOMPARE(f.List("cboTimeZone")->currentIndex(), 70);
    QVERIFY(f.platform.Messages.Shown.isEmpty());
    QVERIFY(f.ReadingInFront());
    QCOMPARE(int(f.chart.BirthMonth), 5);
}

QTEST_MAIN(TestFrmMainFiles)
#include "tst_frm_main_files.moc"
