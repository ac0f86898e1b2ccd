// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up decisions that need no display: the command line, the autostart entry and the election of
// the one running instance.
#include "TestSupport.h"

#include "base/CommandLine.h"
#include "platform/Autostart.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
const QString kProgram = QStringLiteral("/opt/ve drix/vedrix");

// Leaves a socket file behind with nobody listening, as a killed process does.
bool LeaveStaleSocket(const QString& strPath)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(strPath);
    qstrncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path));
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    ::close(fd);
    return ok && QFile::exists(strPath);
}
// Listens on strPath as the user "nobody", as another user of the machine who took the name first;
// answers every line with "ok". Only root can play another user; the caller kills the process.
pid_t ListenAsAnotherUser(const QString& strPath)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const QByteArray path = QFile::encodeName(strPath);
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path));
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::chown(path.constData(), 65534, 65534) != 0 || ::chmod(path.constData(), 0777) != 0 ||
            ::setgid(65534) != 0 || ::setuid(65534) != 0 || ::listen(fd, 8) != 0)
            ::_exit(1);
        (void)!::write(ready[1], "r", 1);
        for (;;)
        {
            const int client = ::accept(fd, nullptr, nullptr);
            char buffer[256];
            while (::read(client, buffer, sizeof(buffer)) > 0)
                (void)!::write(client, "ok\nok\nok\n", 9);
            ::close(client);
        }
    }
    char c = 0;
    ::close(ready[1]);
    const bool bReady = ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
    return bReady ? pid : -1;
}
} // namespace

class TestShellStartup : public QObject
{
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // -1: the program starts
        QTest::addColumn<int>("show");
        QTest::addColumn<bool>("hasChannel");
        QTest::addColumn<int>("channel");
        QTest::newRow("none") << QStringList{kProgram} << -1 << SW_SHOW << false << -1;
        QTest::newRow(":silent") << QStringList{kProgram, ":silent"} << -1 << SW_HIDE << false << -1;
        QTest::newRow(":silent with a number")
            << QStringList{kProgram, "12", ":silent"} << -1 << SW_HIDE << false << -1;
        QTest::newRow(":silent inside a word")
            << QStringList{kProgram, "x:silenty"} << -1 << SW_HIDE << false << -1;
        QTest::newRow(":silent beside an unknown word")
            << QStringList{kProgram, "--foo", ":silent"} << -1 << SW_HIDE << false << -1;
        QTest::newRow("12") << QStringList{kProgram, "12"} << -1 << SW_HIDE << true << 12;
        QTest::newRow("quoted 7") << QStringList{kProgram, "\"7\""} << -1 << SW_HIDE << true << 7;
        QTest::newRow("-5") << QStringList{kProgram, "-5"} << -1 << SW_HIDE << true << -5;
        QTest::newRow("+8 after own path")
            << QStringList{kProgram, kProgram, " +8"} << -1 << SW_HIDE << true << 8;
        QTest::newRow("blanks only") << QStringList{kProgram, "  ", "\"\""} << -1 << SW_SHOW << false << -1;
        QTest::newRow("own path again") << QStringList{kProgram, kProgram} << -1 << SW_SHOW << false << -1;
        QTest::newRow("huge") << QStringList{kProgram, "99999999999999"} << -1 << SW_HIDE << true << INT_MAX;
        QTest::newRow("Qt's options") << QStringList{kProgram,   "-platform", "xcb",      "--style=Fusion",
                                                     "-session", "1a2b",      "-reverse", "7"}
                                      << -1 << SW_HIDE << true << 7;
        QTest::newRow("--help") << QStringList{kProgram, "--help"} << 0 << SW_SHOW << false << -1;
        QTest::newRow("-h after a number")
            << QStringList{kProgram, "12", "-h"} << 0 << SW_SHOW << false << -1;
        QTest::newRow("--help beats :silent")
            << QStringList{kProgram, ":silent", "--help"} << 0 << SW_SHOW << false << -1;
        QTest::newRow("--version") << QStringList{kProgram, "--version"} << 0 << SW_SHOW << false << -1;
        QTest::newRow("--foo") << QStringList{kProgram, "--foo"} << 2 << SW_SHOW << false << -1;
        QTest::newRow("abc") << QStringList{kProgram, "abc"} << 2 << SW_SHOW << false << -1;
        QTest::newRow("12abc") << QStringList{kProgram, "12abc"} << 2 << SW_SHOW << false << -1;
        QTest::newRow("two numbers") << QStringList{kProgram, "1", "2"} << 2 << SW_SHOW << false << -1;
        QTest::newRow(":Silent is a word") << QStringList{kProgram, ":Silent"} << 2 << SW_SHOW << false << -1;
        QTest::newRow("--help=x") << QStringList{kProgram, "--help=x"} << 2 << SW_SHOW << false << -1;
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(int, show);
        QFETCH(bool, hasChannel);
        QFETCH(int, channel);
        const SCommandLine c = ParseCommandLine(args, kProgram);
        QCOMPARE(c.nCmdShow, show);
        QCOMPARE(c.bHasChannel, hasChannel);
        if (hasChannel)
            QCOMPARE(c.nChannel, channel);

        const SCommandLineAnswer answer = AnswerCommandLine(c, QStringLiteral("vedrix"));
        QCOMPARE(answer.nExitCode, exitCode);
        if (exitCode == 0)
        {
            QVERIFY(answer.strErr.isEmpty());
            if (args.contains(QStringLiteral("--version")))
                QCOMPARE(answer.strOut, QStringLiteral("Vedrix 1.0\n"));
            else
                for (const char* form : {"Usage: vedrix [:silent | CHANNEL]", ":silent", "--version"})
                    QVERIFY2(answer.strOut.contains(QLatin1String(form)), form);
        }
        else if (exitCode == 2)
        {
            // What was refused, then the usage, on standard error only.
            QVERIFY(answer.strOut.isEmpty());
            QVERIFY2(answer.strErr.startsWith(QStringLiteral("vedrix: \"%1\"").arg(args.mid(1).join(' '))),
                     qPrintable(answer.strErr));
            QVERIFY(answer.strErr.contains(QStringLiteral("Usage: vedrix")));
        }
        else
        {
            QVERIFY(answer.strOut.isEmpty() && answer.strErr.isEmpty());
        }
    }

    void execLineRoundTrip_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/vedrix"
                               << "\"/usr/bin/vedrix\" :silent";
        QTest::newRow("blank") << "/opt/my apps/vedrix"
                               << "\"/opt/my apps/vedrix\" :silent";
        QTest::newRow("quote dollar") << "/o/a\"b$c/v"
                                      << "\"/o/a\\\\\"b\\\\$c/v\" :silent";
        QTest::newRow("backslash percent") << "/o/a\\b%/v"
                                           << "\"/o/a\\\\\\\\b%%/v\" :silent";
    }
    void execLineRoundTrip()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(autostart::ExecValue(program), exec);
        QCOMPARE(autostart::SplitExecValue(exec), (QStringList{program, ":silent"}));
    }

    void autostartStates()
    {
        QFile::remove(autostart::EntryPath());
        QCOMPARE(autostart::QueryAutoStart(), autostart::kOff);

        // Our own test program stands in for the installed one; a path with a blank must survive.
        QTemporaryDir dir;
        const QString program = dir.path() + QStringLiteral("/my programs/vedrix");
        QVERIFY(testsupport::WriteFile(program, "#!/bin/sh\n"));
        QCOMPARE(autostart::SetAutoStart(true, program, QStringLiteral("Vedrix by Palomer")), autostart::kOn);
        QFile entry(autostart::EntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        QVERIFY2(text.contains(QStringLiteral("\nExec=\"%1\" :silent\n").arg(program)), qPrintable(text));
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));

        // The program is gone: the entry counts as off, and switching on writes it afresh.
        QFile::remove(program);
        QCOMPARE(autostart::QueryAutoStart(), autostart::kOff);
        QVERIFY(testsupport::WriteFile(program, "#!/bin/sh\n"));
        QCOMPARE(autostart::QueryAutoStart(), autostart::kOn);

        QCOMPARE(autostart::SetAutoStart(false, program, QStringLiteral("Vedrix by Palomer")), autostart::kOff);
        QVERIFY(!QFile::exists(autostart::EntryPath()));
    }

    void autostartSwitchedOffByTheDesktop_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("state");
        QTest::newRow("as written") << QString() << autostart::kOn;
        QTest::newRow("Hidden=true") << QStringLiteral("Hidden=true\n") << autostart::kOff;
        QTest::newRow("Hidden=True") << QStringLiteral("Hidden=True\n") << autostart::kOff;
        QTest::newRow("Hidden=false") << QStringLiteral("Hidden=false\n") << autostart::kOn;
        QTest::newRow("GNOME off") << QStringLiteral("X-GNOME-Autostart-enabled=false\n") << autostart::kOff;
        QTest::newRow("GNOME on") << QStringLiteral("X-GNOME-Autostart-enabled=true\n") << autostart::kOn;
        QTest::newRow("other group") << QStringLiteral("[Desktop Action x]\nHidden=true\n") << autostart::kOn;
    }

    void autostartSwitchedOffByTheDesktop()
    {
        QFETCH(QString, lines);
        QFETCH(int, state);
        QTemporaryDir dir;
        const QString program = dir.path() + QStringLiteral("/vedrix");
        QVERIFY(testsupport::WriteFile(program, "#!/bin/sh\n"));
        QCOMPARE(autostart::SetAutoStart(true, program, QStringLiteral("Vedrix by Palomer")), autostart::kOn);
        // What a desktop's session settings do to the entry when the user switches it off there.
        QFile entry(autostart::EntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(entry.readAll());
        entry.close();
        text.remove(QStringLiteral("X-GNOME-Autostart-enabled=true\n"));
        QVERIFY(testsupport::WriteFile(autostart::EntryPath(), (text + lines).toUtf8()));
        QCOMPARE(autostart::QueryAutoStart(), state);
        // Switching on from the program writes an entry that counts as on again.
        if (state == autostart::kOff)
            QCOMPARE(autostart::SetAutoStart(true, program, QStringLiteral("Vedrix by Palomer")), autostart::kOn);
        QCOMPARE(autostart::SetAutoStart(false, program, QStringLiteral("Vedrix by Palomer")), autostart::kOff);
    }

    void autostartUnwritableFolder()
    {
        // A regular file in place of the folder: neither made nor written, whoever runs the test.
        const QString folder = autostart::FolderPath();
        QDir(folder).removeRecursively();
        QVERIFY(testsupport::WriteFile(folder, "x"));
        QCOMPARE(autostart::QueryAutoStart(), autostart::kUnavailable);
        QCOMPARE(autostart::SetAutoStart(true, QCoreApplication::applicationFilePath(), QStringLiteral("Vedrix by Palomer")),
                 autostart::kUnavailable);
        QCOMPARE(autostart::SetAutoStart(false, QCoreApplication::applicationFilePath(), QStringLiteral("Vedrix by Palomer")),
                 autostart::kUnavailable);
        QFile f(folder);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("x")); // untouched
        QFile::remove(folder);
    }

    void secondStartHandsOverItsRequests()
    {
        const QString name = QDir::tempPath() + QStringLiteral("/handover.sock");
        CSingleInstance first(name);
        QVERIFY(first.Start());
        QStringList received;
        connect(&first, &CSingleInstance::RequestReceived, this,
                [&](const QString& line) { received << line; });

        std::atomic<int> secondStarted{-1}, forwarded{-1};
        QThread* thread = QThread::create(
            [&]
            {
                CSingleInstance second(name);
                secondStarted = second.Start() ? 1 : 0;
                forwarded = second.Forward({QStringLiteral("-5"), QStringLiteral("show")}) ? 1 : 0;
            });
        thread->start();
        QTRY_COMPARE(forwarded.load(), 1);
        thread->wait();
        delete thread;
        QCOMPARE(secondStarted.load(), 0);
        QCOMPARE(received, (QStringList{"-5", "show"}));
    }

    void staleSocketIsReplaced()
    {
        const QString name = QDir::tempPath() + QStringLiteral("/stale.sock");
        QVERIFY(LeaveStaleSocket(name));
        CSingleInstance instance(name);
        QVERIFY(instance.Start());
        QVERIFY(instance.IsPrimary());
    }

    void anotherUserCannotTakeOrReachTheInstance()
    {
        if (::getuid() != 0)
            QSKIP("playing another user takes root");
        // Without a runtime folder, another user has taken the name that the temporary folder would
        // give, and the user's umask lets the group write new files.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        const mode_t oldMask = ::umask(002);
        const QString taken = QDir::tempPath() + QStringLiteral("/vedrix-%1.sock").arg(::getuid());
        const pid_t other = ListenAsAnotherUser(taken);
        QVERIFY(other > 0);
        const auto restore = qScopeGuard(
            [&]
            {
                ::kill(other, SIGKILL);
                ::waitpid(other, nullptr, 0);
                ::umask(oldMask);
                qputenv("XDG_RUNTIME_DIR", runtime);
            });
        {
            CSingleInstance instance;
            const bool bStarted = instance.Start();
            const QString name = CSingleInstance::DefaultServerName();
            QVERIFY2(bStarted && instance.IsPrimary(), qPrintable(instance.ErrorString()));
            // The socket and its folder are the user's alone.
            struct stat info{};
            QVERIFY(::stat(QFile::encodeName(name).constData(), &info) == 0);
            QCOMPARE(info.st_mode & 077, mode_t(0));
            QVERIFY(::stat(QFile::encodeName(QFileInfo(name).path()).constData(), &info) == 0);
            QCOMPARE(info.st_mode & 077, mode_t(0));
        }
        // Given that very name, the other user's socket is neither joined nor replaced.
        CSingleInstance onTaken(taken);
        QVERIFY(!onTaken.Start());
        QVERIFY(!onTaken.IsSecondary());
    }

    void simultaneousStartsElectOne()
    {
        const QString name = QDir::tempPath() + QStringLiteral("/race.sock");
        constexpr int kStarts = 10;
        std::atomic<int> primaries{0}, forwarded{0};
        std::atomic<bool> release{false};
        QList<QThread*> threads;
        // Each thread keeps its instance until all have decided, as processes would stay running.
        for (int i = 0; i < kStarts; ++i)
            threads << QThread::create(
                [&]
                {
                    CSingleInstance instance(name);
                    if (instance.Start())
                    {
                        ++primaries;
                        while (!release)
                            QThread::msleep(5);
                    }
                    else if (instance.Forward({}))
                    {
                        ++forwarded;
                    }
                });
        for (QThread* t : threads)
            t->start();
        QTRY_COMPARE(primaries.load() + forwarded.load(), kStarts);
        release = true;
        for (QThread* t : threads)
        {
            t->wait();
            delete t;
        }
        QCOMPARE(primaries.load(), 1);
    }
};

QTEST_GUILESS_MAIN(TestShellStartup)
#include "shell_startup.moc"
