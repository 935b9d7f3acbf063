// The previous-instance test: a second copy is refused while the first runs,
// and whatever a crashed copy left behind does not block the next start.
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/single_instance.h"
#include "app/startup.h"
#include "fake_platform.h"

using namespace tavrinel;

namespace {

// The id of a process that has run and ended, so certainly not running.
qint64 FinishedProcessId() {
    QProcess shell;
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
    shell.waitForFinished();
    return shell.readAllStandardOutput().trimmed().toLongLong();
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void secondInstanceIsRefusedWhileTheFirstRuns() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        {
            SingleInstance first(path);
            QVERIFY(first.TryAcquire());
            SingleInstance second(path);
            QVERIFY(!second.TryAcquire());
            QVERIFY(!second.IsHeld());
            QVERIFY(first.IsHeld());
        }
        // The first has ended normally: the next start goes ahead.
        SingleInstance next(path);
        QVERIFY(next.TryAcquire());
    }

    void lockOfACrashedInstanceDoesNotBlock() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        // A real lock file's contents, with the owner replaced by a process
        // that is gone: what a crash leaves behind.
        QByteArray contents;
        {
            QLockFile real(path);
            QVERIFY(real.tryLock(0));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents = file.readAll();
        }
        const qint64 dead = FinishedProcessId();
        QVERIFY(dead > 0);
        contents = QByteArray::number(dead) + contents.mid(contents.indexOf('\n'));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();

        SingleInstance next(path);
        QVERIFY(next.TryAcquire());
    }

    void emptyLockFileDoesNotBlock() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        SingleInstance next(path);
        QVERIFY(next.TryAcquire());
        SingleInstance another(path);
        QVERIFY(!another.TryAcquire());
    }

    void lockStaysPerUserAndPerProgram() {
        const QString path = SingleInstance::DefaultLockPath(QStringLiteral("tavrinel"));
        QVERIFY(path.endsWith(QLatin1String(".lock")));
        QVERIFY(path.contains(QLatin1String("tavrinel")));
    }

    void refusalMessage() {
        testing::FakeMessages messages;
        ShowAlreadyRunning(messages);
        QCOMPARE(messages.Shown.size(), 1);
        QCOMPARE(messages.Shown[0].Text, QStringLiteral("Application is already running"));
        QCOMPARE(messages.Shown[0].Title, QStringLiteral("Tavrinel"));
        QCOMPARE(messages.Shown[0].Icon, BoxIcon::Information);
        QCOMPARE(messages.Shown[0].Buttons, BoxButtons::Ok);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
