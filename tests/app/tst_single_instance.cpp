// The previous-instance test: a second copy is refused while the first runs,
// and whatever a crashed copy left behind does not block the next start.
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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

constexpr uid_t kNobody = 65534;

mode_t ModeOf(const QString& path) {
    struct stat info {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// Gives a path to another user; false when this user cannot do that.
bool GiveAway(const QString& path) {
    return ::getuid() == 0 && ::lchown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
}

// What is at a path before the program looks: each row of the tables below
// names one.
enum class Thing { Nothing, OwnPrivateFolder, OwnOpenFolder, OthersFolder, File, LinkToOwnFolder, LinkToOwnFile, Pipe, OthersFile };

// Puts the thing at the path; false when this user cannot (another user's
// things need root).
bool Make(Thing thing, const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    switch (thing) {
    case Thing::Nothing:
        return true;
    case Thing::OwnPrivateFolder:
        return ::mkdir(native.constData(), 0700) == 0;
    case Thing::OwnOpenFolder:
        return ::mkdir(native.constData(), 0777) == 0 && ::chmod(native.constData(), 0777) == 0;
    case Thing::OthersFolder:
        return ::mkdir(native.constData(), 0700) == 0 && GiveAway(path);
    case Thing::File: {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }
    case Thing::LinkToOwnFolder:
        return ::mkdir((native + "-real").constData(), 0700) == 0 &&
               ::symlink((native + "-real").constData(), native.constData()) == 0;
    case Thing::LinkToOwnFile: {
        QFile file(path + QStringLiteral("-real"));
        return file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5 &&
               ::symlink((native + "-real").constData(), native.constData()) == 0;
    }
    case Thing::Pipe:
        return ::mkfifo(native.constData(), 0600) == 0;
    case Thing::OthersFile:
        return Make(Thing::File, path) && GiveAway(path);
    }
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Thing)

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

    // A copy of an earlier version locks the same file with Qt's lock file,
    // which takes the same kernel lock: it is seen, and it sees this one.
    void lockOfAnEarlierVersionIsSeen() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        {
            QLockFile earlier(path);
            QVERIFY(earlier.tryLock(0));
            SingleInstance now(path);
            QVERIFY(!now.TryAcquire());
        }
        SingleInstance now(path);
        QVERIFY(now.TryAcquire());
        QLockFile earlier(path);
        earlier.setStaleLockTime(0);
        QVERIFY(!earlier.tryLock(0));
    }

    // Taken on a thread of its own while the window is built, the lock
    // answers as it does at once.
    void lockTakenMeanwhileAnswersTheSame() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        SingleInstance first(path);
        first.StartAcquiring();
        QVERIFY(first.Acquired());
        QVERIFY(first.IsHeld());
        SingleInstance second(path);
        second.StartAcquiring();
        QVERIFY(!second.Acquired());
        QVERIFY(!second.IsHeld());
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

    // The runtime folder serves only when it is this user's alone; otherwise
    // a private folder under the temporary one, never one someone else made.
    void lockFolder_data() {
        QTest::addColumn<Thing>("runtime");
        QTest::addColumn<Thing>("inTemp");
        QTest::addColumn<QString>("expected");  // runtime, private or none
        QTest::newRow("private runtime folder") << Thing::OwnPrivateFolder << Thing::Nothing << "runtime";
        QTest::newRow("no runtime folder") << Thing::Nothing << Thing::Nothing << "private";
        QTest::newRow("runtime folder others can enter") << Thing::OwnOpenFolder << Thing::Nothing << "private";
        QTest::newRow("runtime folder of another user") << Thing::OthersFolder << Thing::Nothing << "private";
        QTest::newRow("runtime folder through a link") << Thing::LinkToOwnFolder << Thing::Nothing << "private";
        QTest::newRow("own folder left open") << Thing::Nothing << Thing::OwnOpenFolder << "private";
        QTest::newRow("another user made it first") << Thing::Nothing << Thing::OthersFolder << "none";
        QTest::newRow("a file in its place") << Thing::Nothing << Thing::File << "none";
        QTest::newRow("a link in its place") << Thing::Nothing << Thing::LinkToOwnFolder << "none";
    }
    void lockFolder() {
        QFETCH(Thing, runtime);
        QFETCH(Thing, inTemp);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString runtimePath = dir.filePath(QStringLiteral("runtime"));
        const QString tempPath = dir.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(tempPath));
        const QString privatePath = QDir(tempPath).filePath(QStringLiteral("tavrinel-%1").arg(::getuid()));
        if (!Make(runtime, runtimePath) || !Make(inTemp, privatePath)) {
            QSKIP("another user's folder needs root to make");
        }
        const LockFolder folder = PrivateLockFolder(
            runtime == Thing::Nothing ? QString() : runtimePath, tempPath,
            QStringLiteral("tavrinel"), ::getuid());
        if (expected == QLatin1String("runtime")) {
            QCOMPARE(folder.Path, runtimePath);
        } else if (expected == QLatin1String("private")) {
            QCOMPARE(folder.Path, privatePath);
            QCOMPARE(ModeOf(privatePath), mode_t(0700));
        } else {
            QVERIFY(folder.Path.isEmpty());
            QVERIFY(folder.Problem.startsWith(privatePath));
        }
    }

    // Only this user's plain file can be another copy's lock; anything else
    // at the path starts the program, which says why.
    void somethingInTheWay_data() {
        QTest::addColumn<Thing>("thing");
        QTest::newRow("folder") << Thing::OwnPrivateFolder;
        QTest::newRow("another user's file") << Thing::OthersFile;
        QTest::newRow("link") << Thing::LinkToOwnFolder;
        QTest::newRow("link to a file") << Thing::LinkToOwnFile;
        QTest::newRow("named pipe") << Thing::Pipe;
    }
    void somethingInTheWay() {
        QFETCH(Thing, thing);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tavrinel.lock"));
        if (!Make(thing, path)) {
            QSKIP("another user's file needs root to make");
        }
        SingleInstance instance(path);
        QVERIFY(instance.TryAcquire());
        QVERIFY(instance.Warning().contains(path));
        if (thing == Thing::LinkToOwnFile) {  // what the link points at is left alone
            QFile real(path + QStringLiteral("-real"));
            QVERIFY(real.open(QIODevice::ReadOnly));
            QCOMPARE(real.readAll(), QByteArray("kept\n"));
        }
        SingleInstance noFolder(QString(), QStringLiteral("the folder belongs to another user"));
        QVERIFY(noFolder.TryAcquire());
        QVERIFY(noFolder.Warning().startsWith(QLatin1String("the folder belongs to another user")));
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
