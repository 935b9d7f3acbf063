// The Save dialog keeps asking while the chosen folder does not exist.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/save_path.h"

using namespace tavrinel;

class TestSavePath : public QObject {
    Q_OBJECT

private slots:
    // Each row: the dialog's answers in turn ("" is a cancel, and "@" stands
    // for the temporary folder), what the user ends up with, and how many
    // times the user is told the folder is missing.
    void asksAgainUntilTheFolderExists_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("told");
        QTest::newRow("existing folder") << QStringList{"@/a.tvl"} << "@/a.tvl" << 0;
        QTest::newRow("missing folder, then an existing one")
            << QStringList{"@/missing/a.tvl", "@/a.tvl"} << "@/a.tvl" << 1;
        QTest::newRow("missing twice, then cancel")
            << QStringList{"@/missing/a.tvl", "@/missing/deeper/b.tvl", ""} << "" << 2;
        QTest::newRow("a file where the folder should be")
            << QStringList{"@/file/a.tvl", "@/b.tvl"} << "@/b.tvl" << 1;
        QTest::newRow("cancel at once") << QStringList{""} << "" << 0;
    }
    void asksAgainUntilTheFolderExists() {
        QFETCH(QStringList, answers);
        QFETCH(QString, result);
        QFETCH(int, told);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const auto place = [&dir](QString path) { return path.replace('@', dir.path()); };

        const QStringList given = answers;
        QStringList proposed;
        QStringList messages;
        const auto ask = [&](const QString& path) -> std::optional<QString> {
            proposed << path;
            const QString answer = answers.takeFirst();
            return answer.isEmpty() ? std::nullopt : std::optional<QString>(place(answer));
        };
        const auto tell = [&](const QString& text) { messages << text; };
        const std::optional<QString> chosen =
            AskForPathInExistingFolder(ask, tell, QStringLiteral("first.tvl"));

        QCOMPARE(chosen.value_or(QString()), place(result));
        QCOMPARE(messages.size(), told);
        QVERIFY(answers.isEmpty());
        // Asked again at the refused path, told which folder is missing.
        QCOMPARE(proposed.first(), QStringLiteral("first.tvl"));
        for (int i = 1; i < proposed.size(); ++i) {
            QCOMPARE(proposed[i], place(given[i - 1]));
            QVERIFY(messages[i - 1].startsWith(QFileInfo(place(given[i - 1])).absolutePath()));
        }
    }
};

QTEST_GUILESS_MAIN(TestSavePath)
#include "tst_save_path.moc"
