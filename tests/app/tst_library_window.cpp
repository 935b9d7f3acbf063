// The Library window driven offscreen over a real library file in a
// temporary folder: the search as the user types it, a chart opened as Open
// opens its file, Add, Remove and its undo, and a library that cannot be used.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <memory>

#include "app/library/library_commands.h"
#include "app/library/library_table_model.h"
#include "app/library/library_window.h"
#include "chart/reading_file.h"
#include "library/chart_library.h"
#include "tests/library/library_files.h"
#include "window_fixture.h"

using namespace tavrinel;

namespace {

BirthForm Chart(const char* name, int day, const char* city, const char* country,
                const char* state = "") {
    BirthForm form;
    form.Name = name;
    form.DayIndex = day - 1;
    form.MonthIndex = 6;
    form.YearIndex = 1984 - kFirstYear;
    form.HourIndex = 6;
    form.MinuteIndex = 30;
    form.ZoneIndex = 34;
    form.LatDeg = "18";
    form.LatMin = "31";
    form.LonDeg = "73";
    form.LonMin = "51";
    form.City = city;
    form.State = state;
    form.Country = country;
    return form;
}

// A main window whose library lives in a folder of its own.
struct Fixture {
    Fixture() {
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        window = std::make_unique<testing::WindowFixture>();
    }
    std::filesystem::path LibraryPath() const {
        return std::filesystem::path(dir.path().toStdString()) / "tavrinel" / "library.sqlite3";
    }
    // The charts a test starts with, written before the window opens the file.
    void Store(const std::vector<BirthForm>& forms, const char* notes = nullptr,
               std::vector<std::string> tags = {}) {
        library::ChartLibrary library(LibraryPath());
        for (const BirthForm& form : forms) {
            const auto id = library.Add(form);
            QVERIFY(id);
            if (notes) {
                library.SetNotes(*id, notes);
            }
            library.AddTags(*id, tags);
        }
    }
    LibraryWindow* Open() {
        window->Menu("mnuLibrary")->trigger();
        return window->window.findChild<LibraryWindow*>();
    }
    QStringList Names(LibraryWindow* library) {
        QStringList names;
        const LibraryTableModel& model = library->Model();
        for (int row = 0; row < model.rowCount(); ++row) {
            names << model.data(model.index(row, LibraryTableModel::NameColumn), Qt::DisplayRole)
                         .toString();
        }
        return names;
    }
    long Count() { return library::ChartLibrary(LibraryPath()).Count(); }

    QTemporaryDir dir;
    std::unique_ptr<testing::WindowFixture> window;
};

QTableView* Table(LibraryWindow* library) {
    return library->findChild<QTableView*>(QStringLiteral("grdLibrary"));
}
QLineEdit* SearchBox(LibraryWindow* library) {
    return library->findChild<QLineEdit*>(QStringLiteral("txtLibrarySearch"));
}

}  // namespace

class TestLibraryWindow : public QObject {
    Q_OBJECT

  private slots:
    void searchFiltersAsTheUserTypes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        // Without a text every chart, by name.
        QTest::newRow("nothing") << "" << QStringList{"Ann", "José Pérez", "Mira", "Ravi"};
        QTest::newRow("accent typed, none stored") << "rávi" << QStringList{"Ravi"};
        QTest::newRow("no accent typed, one stored") << "jose" << QStringList{"José Pérez"};
        QTest::newRow("case") << "PÉREZ" << QStringList{"José Pérez"};
        QTest::newRow("start of a city's word") << "pu" << QStringList{"José Pérez", "Ravi"};

        QTest::newRow("two words, both must match") << "ravi pune" << QStringList{"Ravi"};
        QTest::newRow("in the notes") << "sao paulo" << QStringList{"Mira"};
        QTest::newRow("a tag") << "vip" << QStringList{"Ann"};
        QTest::newRow("middle of a word") << "elhi" << QStringList{};
        QTest::newRow("quotes and operators") << "\"ann\" OR NEAR(*" << QStringList{};
        QTest::newRow("sql") << "'; DROP TABLE chart; --" << QStringList{};
        // A minus is no NOT, a percent no wildcard: "%a" begins Ann, as "-ann" does.
        QTest::newRow("percent and minus") << "%a -ann" << QStringList{"Ann"};
    }
    void searchFiltersAsTheUserTypes() {
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        Fixture f;
        f.Store({Chart("José Pérez", 3, "Pune", "India")});
        f.Store({Chart("Ravi", 4, "Pune", "India")});
        f.Store({Chart("Mira", 5, "Lisbon", "Portugal")}, "moved from São Paulo");
        f.Store({Chart("Ann", 6, "New Delhi", "India", "Delhi")}, nullptr, {"VIP"});
        LibraryWindow* library = f.Open();
        QVERIFY(library);
        // Key by key, as typed: each one refilters.
        for (const QChar c : typed) {
            QTest::sendKeyEvent(QTest::Click, SearchBox(library), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
        QCOMPARE(SearchBox(library)->text(), typed);
        // The order of equal matches is the ranking's business.
        QStringList found = f.Names(library);
        if (!typed.isEmpty()) {
            found.sort();
        }
        QCOMPARE(found, names);
        QCOMPARE(f.Count(), 4);
    }

    void rowsSortByColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("names");
        // Case aside; a chart without tags before the others.
        QTest::newRow("name") << int(LibraryTableModel::NameColumn) << false
                              << QStringList{"Ann", "mira", "Ravi", "Zed"};
        QTest::newRow("name, descending") << int(LibraryTableModel::NameColumn) << true
                                          << QStringList{"Zed", "Ravi", "mira", "Ann"};
        QTest::newRow("birth") << int(LibraryTableModel::BornColumn) << false
                               << QStringList{"Zed", "Ravi", "mira", "Ann"};
        QTest::newRow("place") << int(LibraryTableModel::PlaceColumn) << false
                               << QStringList{"Zed", "mira", "Ann", "Ravi"};
        QTest::newRow("tags") << int(LibraryTableModel::TagsColumn) << false
                              << QStringList{"mira", "Zed", "Ravi", "Ann"};
    }
    void rowsSortByColumn() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QStringList, names);
        Fixture f;
        f.Store({Chart("Ann", 6, "New Delhi", "India", "Delhi")}, nullptr, {"vip"});
        f.Store({Chart("mira", 5, "lisbon", "Portugal")});
        f.Store({Chart("Ravi", 4, "Pune", "India")}, nullptr, {"family"});
        f.Store({Chart("Zed", 3, "Agra", "India")}, nullptr, {"alpha"});
        LibraryWindow* library = f.Open();
        Table(library)->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(f.Names(library), names);
        // A search keeps the order chosen.
        QTest::keyClicks(SearchBox(library), QStringLiteral("india"));
        names.removeAll(QStringLiteral("mira"));
        QCOMPARE(f.Names(library), names);
        const LibraryTableModel& model = library->Model();
        QCOMPARE(model.data(model.index(names.indexOf("Ann"), LibraryTableModel::BornColumn),
                            Qt::DisplayRole),
                 QVariant(QStringLiteral("1984-07-06 06:30")));
        QCOMPARE(model.data(model.index(names.indexOf("Ann"), LibraryTableModel::PlaceColumn),
                            Qt::DisplayRole),
                 QVariant(QStringLiteral("New Delhi, Delhi, India")));
    }

    // The same file through Open and through the library leaves the same form
    // and the same reading.
    void openingAChartFillsTheFormAsOpenDoes_data() {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("Return") << false;
        QTest::newRow("double click") << true;
    }
    void openingAChartFillsTheFormAsOpenDoes() {
        QFETCH(bool, byDoubleClick);
        Fixture f;
        const QString file = f.dir.filePath(QStringLiteral("ann.tvl"));
        testing::WindowFixture opened;
        opened.FillAnn();
        opened.Box("txtName")->setText(QStringLiteral("Ann Smith"));
        opened.platform.Files.SaveAnswers = {file};
        opened.Get<QPushButton>("cmdCalculate")->click();
        opened.Get<QPushButton>("cmdSave")->click();
        opened.Get<QPushButton>("cmdBack")->click();
        opened.Box("txtName")->clear();
        opened.window.OpenReading(file);
        QVERIFY2(opened.ReadingInFront(), qPrintable(opened.platform.Messages.Texts().join('|')));

        {
            library::ChartLibrary library(f.LibraryPath());
            QCOMPARE(library.Import({file.toStdString()}).Imported, 1);
        }
        LibraryWindow* library = f.Open();
        QTableView* table = Table(library);
        table->setFocus();
        table->setCurrentIndex(library->Model().index(0, 0));
        if (byDoubleClick) {
            library->show();
            QVERIFY(QTest::qWaitForWindowExposed(library));
            const QRect cell = table->visualRect(table->currentIndex());
            // A widget's double click event alone, as Qt Test sends it, follows
            // no press; a real one does.
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::keyClick(table, Qt::Key_Return);
        }
        testing::WindowFixture& w = *f.window;
        QVERIFY(w.ReadingInFront());
        QCOMPARE(w.Box("txtName")->text(), QStringLiteral("Ann Smith"));
        for (const char* name : {"txtName", "txtLatDeg", "txtLatMin", "txtLonDeg", "txtLonMin",
                                 "txtCity", "txtState", "txtCountry"}) {
            QCOMPARE(w.Box(name)->text(), opened.Box(name)->text());
        }
        for (const char* name :
             {"cboDate", "cboMonth", "cboYear", "cboHour", "cboMinute", "cboTimeZone"}) {
            QCOMPARE(w.List(name)->currentIndex(), opened.List(name)->currentIndex());
        }
        QCOMPARE(w.Get<QTextEdit>("RTB")->toPlainText(),
                 opened.Get<QTextEdit>("RTB")->toPlainText());
        QVERIFY(w.platform.Messages.Shown.isEmpty());
    }

    void removeAsksAndCtrlZBringsTheChartBack() {
        Fixture f;
        f.Store({Chart("Ravi", 4, "Pune", "India")}, "client since 2001", {"family", "vip"});
        f.Store({Chart("Ann", 6, "New Delhi", "India")});
        const library::LibraryChart before =
            library::ChartLibrary(f.LibraryPath()).Search("ravi")[0];
        LibraryWindow* library = f.Open();
        QVERIFY(QTest::qWaitForWindowActive(library));
        QTableView* table = Table(library);
        table->setFocus();
        table->selectRow(1);  // Ravi, after Ann by name

        f.window->platform.Messages.Answer = BoxAnswer::No;
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(f.window->platform.Messages.Texts(),
                 QStringList{"Remove the chart of Ravi from the library?"});
        QCOMPARE(f.Count(), 2);

        f.window->platform.Messages.Answer = BoxAnswer::Yes;
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryRemove"))->click();
        QCOMPARE(f.Count(), 1);
        QCOMPARE(f.Names(library), QStringList{"Ann"});

        table->setFocus();
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.Names(library), QStringList({"Ann", "Ravi"}));
        library::ChartLibrary stored(f.LibraryPath());
        const auto ravi = stored.Search("ravi");
        QCOMPARE(ravi.size(), std::size_t(1));
        QCOMPARE(ravi[0].Notes, std::string("client since 2001"));
        QCOMPARE(ravi[0].Tags, std::vector<std::string>({"family", "vip"}));
        // Under its own Id, so that a study that named it still joins to it.
        QCOMPARE(ravi[0].Id, before.Id);
        QCOMPARE(ravi[0].AddedAt, before.AddedAt);
        QCOMPARE(stored.Search("since").size(), std::size_t(1));
        // Only the last removal, once.
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(stored.Count(), 2);
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(library->isHidden());
    }

    void ctrlDAddsTheFormsChartOnce() {
        Fixture f;
        testing::WindowFixture& w = *f.window;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.Box("txtName")->setFocus();
        // An empty form is refused as Calculate refuses it.
        QTest::keyClick(w.Box("txtName"), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.platform.Messages.Shown.size(), 1);
        QCOMPARE(f.Count(), 0);

        w.FillAnn();
        QTest::keyClick(w.Box("txtName"), Qt::Key_D, Qt::ControlModifier);
        QTest::keyClick(w.Box("txtName"), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w.platform.Messages.Texts().mid(1),
                 QStringList({"The chart of Ann was added to the library.",
                              "The chart of Ann is in the library already."}));
        QCOMPARE(f.Count(), 1);

        // With the window open, the new chart is chosen in it.
        w.Box("txtName")->setText(QStringLiteral("Ann Two"));
        QTest::keyClick(w.Box("txtName"), Qt::Key_L, Qt::ControlModifier);
        LibraryWindow* library = w.window.findChild<LibraryWindow*>();
        QVERIFY(library);
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryAdd"))->click();
        QCOMPARE(f.Count(), 2);
        const auto chosen = library->Model().ChartAt(Table(library)->currentIndex().row());
        QVERIFY(chosen);
        QCOMPARE(chosen->Form.Name, std::string("Ann Two"));
    }

    void importAFolderReportsWhatItRefused() {
        namespace files = library::testing;
        Fixture f;
        const std::filesystem::path folder =
            f.dir.filePath(QStringLiteral("readings")).toStdString();
        files::WriteFile(folder / "ann.tvl", files::FileBytes(files::AnnLines()));
        files::WriteFile(folder / "deeper" / "CLIENT.TVL", files::FileBytes(files::ClientLines(1)));
        files::WriteFile(folder / "deeper" / "again.tvl", files::FileBytes(files::AnnLines()));
        files::WriteFile(folder / "torn.tvl", "Ann\r\n7\r\n");
        files::WriteFile(folder / "notes.txt", "not a reading");
        f.Store({Chart("Ravi", 4, "Pune", "India")});
        LibraryWindow* library = f.Open();
        testing::FakePlatform& platform = f.window->platform;
        platform.Files.FolderAnswers = {QString::fromStdString(folder.string())};
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryImport"))->click();
        QCOMPARE(f.Count(), 3);
        QCOMPARE(f.Names(library), QStringList({"Ann", "Client 1", "Ravi"}));
        QCOMPARE(platform.Messages.Shown.size(), 1);
        const QString report = platform.Messages.Shown[0].Text;
        for (const QString& line :
             {QStringLiteral("\nImported: 2\n"), QStringLiteral("\nIn the library already: 1\n"),
              QStringLiteral("\nRefused: 1\n") +
                  QString::fromStdString((folder / "torn.tvl").string()) + ": "}) {
            QVERIFY2(report.contains(line), qPrintable(report));
        }
        QCOMPARE(platform.Messages.Shown[0].Icon, BoxIcon::Error);
    }

    // Cancel in the progress dialog stops after the batch under way, which
    // stays; the same import again completes the library without doubles.
    void aCancelledImportKeepsItsBatchesAndCompletesWhenRunAgain() {
        namespace files = library::testing;
        Fixture f;
        const int count = int(library::kImportBatchSize) + 1;
        const std::filesystem::path folder =
            f.dir.filePath(QStringLiteral("readings")).toStdString();
        for (int n = 0; n < count; ++n) {
            files::WriteFile(folder / ("c" + std::to_string(1000 + n) + ".tvl"),
                             files::FileBytes(files::ClientLines(n)));
        }
        LibraryWindow* library = f.Open();
        testing::FakePlatform& platform = f.window->platform;
        const QString path = QString::fromStdString(folder.string());
        platform.Files.FolderAnswers = {path, path};
        // Runs when the dialog first lets events through: after the first batch.
        QMetaObject::invokeMethod(
            library,
            [library] {
                library->findChild<QProgressDialog*>(QStringLiteral("dlgLibraryImport"))->cancel();
            },
            Qt::QueuedConnection);
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryImport"))->click();
        QCOMPARE(f.Count(), long(library::kImportBatchSize));
        QVERIFY2(platform.Messages.Shown.size() == 1 &&
                     platform.Messages.Shown[0].Text.startsWith(
                         QStringLiteral("The import was cancelled after %1 of %2 files")
                             .arg(library::kImportBatchSize)
                             .arg(count)),
                 qPrintable(platform.Messages.Texts().join('|')));

        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryImport"))->click();
        QCOMPARE(f.Count(), long(count));
        QVERIFY2(platform.Messages.Shown[1].Text.contains(
                     QStringLiteral("\nImported: 1\nIn the library already: %1")
                         .arg(library::kImportBatchSize)),
                 qPrintable(platform.Messages.Shown[1].Text));
        QCOMPARE(library->Model().ChartCount(), count);
    }

    // The chosen charts, and only they, read back by the reading-file reader;
    // one without a state, which Open would refuse, is refused.
    void exportWritesTheChosenCharts() {
        Fixture f;
        const std::vector<BirthForm> forms = {Chart("Ann", 6, "New Delhi", "India", "Delhi"),
                                              Chart("Mira", 5, "Lisbon", "Portugal"),
                                              Chart("Ravi", 4, "Pune", "India", "Maharashtra"),
                                              Chart("Zed", 3, "Pune", "India", "Maharashtra")};
        f.Store(forms);
        LibraryWindow* library = f.Open();
        QTableView* table = Table(library);
        table->selectionModel()->select(
            library->Model().index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        for (int row : {1, 2}) {
            table->selectionModel()->select(
                library->Model().index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const QString out = f.dir.filePath(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        f.window->platform.Files.FolderAnswers = {out};
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryExport"))->click();
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({"Ann.tvl", "Ravi.tvl"}));
        for (const auto& [file, form] : {std::pair{"Ann.tvl", forms[0]}, {"Ravi.tvl", forms[2]}}) {
            const auto read = library::ReadChartFile(QDir(out).filePath(file).toStdString());
            QVERIFY(std::holds_alternative<BirthForm>(read));
            const BirthForm back = library::NormalisedForm(std::get<BirthForm>(read));
            const BirthForm expected = library::NormalisedForm(form);
            QCOMPARE(back.Name, expected.Name);
            QCOMPARE(back.City, expected.City);
            QCOMPARE(back.DayIndex, expected.DayIndex);
            QCOMPARE(back.YearIndex, expected.YearIndex);
            QCOMPARE(back.MinuteIndex, expected.MinuteIndex);
            QCOMPARE(back.LatDeg, expected.LatDeg);
        }
        const QString report = f.window->platform.Messages.Texts().join(QString());
        QVERIFY2(report.startsWith(QStringLiteral("2 reading files written to ") + out +
                                   QStringLiteral(".\nRefused: 1\n") +
                                   QDir(out).filePath("Mira.tvl") + QStringLiteral(": the state")),
                 qPrintable(report));
    }

    void notesAndTagsAreEditedAndFound_data() {
        QTest::addColumn<QString>("tagsTyped");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("tags");
        QTest::newRow("kept, one added, a double dropped")
            << "vip, Family , family,vip" << true << QStringList{"Family", "family", "vip"};
        QTest::newRow("all removed") << " , " << true << QStringList{};
        QTest::newRow("cancelled") << "new" << false << QStringList{"vip"};
    }
    void notesAndTagsAreEditedAndFound() {
        QFETCH(QString, tagsTyped);
        QFETCH(bool, accepted);
        QFETCH(QStringList, tags);
        Fixture f;
        f.Store({Chart("Ravi", 4, "Pune", "India")}, "first note", {"vip"});
        LibraryWindow* library = f.Open();
        f.window->platform.Dialogs.WhileShown = [&](QDialog& dialog) {
            dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtLibraryNotes"))
                ->setPlainText(QStringLiteral("moved to Zürich"));
            dialog.findChild<QLineEdit*>(QStringLiteral("txtLibraryTags"))->setText(tagsTyped);
            dialog.done(accepted ? QDialog::Accepted : QDialog::Rejected);
        };
        library->findChild<QPushButton*>(QStringLiteral("cmdLibraryNotes"))->click();
        library::ChartLibrary stored(f.LibraryPath());
        const auto ravi = stored.Search("ravi");
        QCOMPARE(ravi.size(), std::size_t(1));
        QStringList storedTags;
        for (const std::string& tag : ravi[0].Tags) {
            storedTags << QString::fromStdString(tag);
        }
        QCOMPARE(storedTags, tags);
        QCOMPARE(QString::fromStdString(ravi[0].Notes),
                 accepted ? QStringLiteral("moved to Zürich") : QStringLiteral("first note"));
        QCOMPARE(stored.Search("zurich").size(), std::size_t(accepted ? 1 : 0));
        QCOMPARE(library->Model().data(library->Model().index(0, LibraryTableModel::TagsColumn),
                                       Qt::DisplayRole),
                 QVariant(tags.join(QStringLiteral(", "))));
    }

    void aLibraryThatCannotBeUsedIsLeftAsItWas_data() {
        QTest::addColumn<QByteArray>("bytes");  // none: a newer program's library
        QTest::newRow("not a database") << QByteArray("these are a user's notes, not charts\n");
        QTest::newRow("a damaged database")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x5a');
        QTest::newRow("a newer schema") << QByteArray();
    }
    void aLibraryThatCannotBeUsedIsLeftAsItWas() {
        QFETCH(QByteArray, bytes);
        Fixture f;
        std::filesystem::create_directories(f.LibraryPath().parent_path());
        const QString path = QString::fromStdString(f.LibraryPath().string());
        if (bytes.isEmpty()) {
            f.Store({Chart("Ann", 6, "New Delhi", "India")});
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            bytes = file.readAll();
            // The header's user version, a big-endian integer at byte 60.
            bytes[63] = char(bytes[63] + 1);
        }
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QVERIFY(!f.Open());
        testing::WindowFixture& w = *f.window;
        QCOMPARE(w.platform.Messages.Shown.size(), 1);
        QVERIFY2(w.platform.Messages.Shown[0].Text.contains(path),
                 qPrintable(w.platform.Messages.Shown[0].Text));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        // The rest of the program works on.
        w.FillAnn();
        w.Get<QPushButton>("cmdCalculate")->click();
        QVERIFY(w.ReadingInFront());
    }
};

QTEST_MAIN(TestLibraryWindow)
#include "tst_library_window.moc"
