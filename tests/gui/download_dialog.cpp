// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The download dialog and the channel list refresh against tools/httpserver.py on loopback: what
// ends up at the destination, what is left in the temporary folder, how many requests the server
// saw, and what the user is told.
#include "base/SettingNames.h"
#include "base/Commands.h"
#include "download/DlgFileDownloader.h"
#include "frame/ChannelListRefresh.h"
#include "context/AppContext.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace
{
// Runs a download to its end, as the dialog's caller sees it: its result once it has finished.
int RunDownload(CDlgFileDownloader& dlg, const QString& strUrl, const QString& strDestination)
{
    int nResult = -1;
    QObject::connect(&dlg, &CDlgFileDownloader::DownloadFinished, &dlg, [&nResult](int n) { nResult = n; });
    dlg.DownloadFile(strUrl, strDestination);
    testsupport::WaitFor([&nResult] { return nResult >= 0; }, 60000);
    return nResult;
}

// The same for the channel list refresh of a frame.
int RunRefresh(CMainFrame* pFrame)
{
    int nResult = -1;
    CDlgFileDownloader* pDlg = RefreshChannelList(pFrame);
    QObject::connect(pDlg, &CDlgFileDownloader::DownloadFinished, pDlg, [&nResult](int n) { nResult = n; });
    testsupport::WaitFor([&nResult] { return nResult >= 0; }, 60000);
    return nResult;
}

// tools/httpserver.py with its control paths.
class CTestServer
{
public:
    bool Start(const QString& strRoot)
    {
        return m_server.Start(QStringLiteral("tools/httpserver.py"), {QStringLiteral("--root"), strRoot});
    }
    void Stop() { m_server.Stop(); }
    QString Base() const { return m_server.Base(); }
    QString Url(const QString& strPath) const { return m_server.Url(strPath); }
    int Count(const QString& strPath) { return Control(QStringLiteral("/__count"), strPath, {}).toInt(); }
    void SetMode(const QString& strPath, const QString& strMode) { Control(QStringLiteral("/__control"), strPath, strMode); }
    void Reset() { Control(QStringLiteral("/__reset"), {}, {}); }

private:
    QByteArray Control(const QString& strEndpoint, const QString& strPath, const QString& strMode)
    {
        QUrlQuery query;
        if (!strPath.isEmpty())
            query.addQueryItem(QStringLiteral("path"), strPath);
        if (!strMode.isEmpty())
            query.addQueryItem(QStringLiteral("mode"), strMode);
        return m_server.Get(strEndpoint + QLatin1Char('?') + query.toString(QUrl::FullyEncoded));
    }

    testsupport::CLocalServer m_server;
};

// Watches the top-level windows that appear: records the download dialog and the message box and
// deals with them as a user would.
class CWindowWatcher : public QObject
{
public:
    enum class EDialogAction
    {
        None,
        Escape,
        CloseBox,
    };

    CWindowWatcher() { qApp->installEventFilter(this); }
    ~CWindowWatcher() override { qApp->removeEventFilter(this); }

    EDialogAction m_dialogAction = EDialogAction::None;
    QString m_strDialogTitle, m_strDialogMessage;
    int m_nMessageBoxes = 0;
    QString m_strBoxTitle, m_strBoxText;
    QMessageBox::Icon m_boxIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons m_boxButtons;
    QWidget* m_pBoxParent = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Show || !o->isWidgetType() || !static_cast<QWidget*>(o)->isWindow())
            return false;
        if (auto* dlg = qobject_cast<CDlgFileDownloader*>(o))
        {
            m_strDialogTitle = dlg->windowTitle();
            if (auto* label = dlg->findChild<QLabel*>())
                m_strDialogMessage = label->text();
            if (m_dialogAction == EDialogAction::Escape)
                QTimer::singleShot(0, dlg, [dlg] { QTest::keyClick(dlg, Qt::Key_Escape); });
            else if (m_dialogAction == EDialogAction::CloseBox)
                QTimer::singleShot(0, dlg, [dlg] { dlg->close(); });
        }
        else if (auto* box = qobject_cast<QMessageBox*>(o))
        {
            ++m_nMessageBoxes;
            m_strBoxTitle = box->windowTitle();
            m_strBoxText = box->text();
            m_boxIcon = box->icon();
            m_boxButtons = box->standardButtons();
            m_pBoxParent = box->parentWidget();
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
        return false;
    }
};

// A page that reloads when the frame announces a new list (as the player's page does), and records
// what the channel list file held then.
class CReloadView : public QWidget
{
public:
    explicit CReloadView(CMainFrame* pFrame)
    {
        QObject::connect(pFrame, &CMainFrame::ChannelListArrived, this,
                         [this]
                         {
                             ++m_nReloads;
                             QFile f(m_strFile);
                             if (f.open(QIODevice::ReadOnly))
                                 m_fileAtReload = f.readAll();
                         });
    }
    int m_nReloads = 0;
    QByteArray m_fileAtReload;
    QString m_strFile;
};

// A main window as the program's, not loaded (no ribbon, no tray).
struct SFrame
{
    CCommandActions actions;
    CAppContext context;
    // The frame binds its commands as it is made: the actions are set before.
    bool bActionsSet = (context.SetActions(&actions), true);
    CMainFrame frame{context};
};

QByteArray ReadAll(const QString& strPath)
{
    QFile f(strPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList TempLeftovers()
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("SVF*")}, QDir::Files | QDir::Hidden | QDir::System);
}

QString FreeClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QString::number(port);
}

const QByteArray kOld = "old channel list\r\n";
const QByteArray kNew = "fresh channel list\r\nline 2\r\n";
const QByteArray kMoved = "the list at its new place\r\n";
} // namespace

class TestDownloadDialog : public QObject
{
    Q_OBJECT
private:
    CTestServer m_server;
    QTemporaryDir m_root;
    QTemporaryDir m_destDir;
    QString m_strDest;

    QString ChannelListPath() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Sorvana/StationList.zip");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(testsupport::WriteFile(m_root.filePath(QStringLiteral("tvlist.zip")), kNew));
        QVERIFY(testsupport::WriteFile(m_root.filePath(QStringLiteral("moved.txt")), kMoved));
        QVERIFY(m_server.Start(m_root.path()));
        m_strDest = m_destDir.filePath(QStringLiteral("StationList.zip"));
        QSettings store(settings::kOrganization, settings::kApplication);
        store.setValue(QStringLiteral("%1/ChannelListServer").arg(settings::kServersSection), m_server.Base());
    }

    void cleanupTestCase() { m_server.Stop(); }

    void init()
    {
        m_server.Reset();
        QVERIFY(testsupport::WriteFile(m_strDest, kOld));
        QVERIFY(testsupport::WriteFile(m_root.filePath(QStringLiteral("tvlist.zip")), kNew));
        QFile::remove(ChannelListPath());
    }

    void fetch_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("url"); // empty: the served /tvlist.zip
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<QByteArray>("expected");
        const qint64 cap = kMaxChannelListBytes;

        QTest::newRow("replaces the destination") << "normal" << "" << 30000 << cap << true << kNew;
        QTest::newRow("body without length") << "unsized:5000" << "" << 30000 << cap << true << QByteArray(5000, 'v');
        QTest::newRow("redirect, same scheme") << "redirect:/moved.txt" << "" << 30000 << cap << true << kMoved;
        QTest::newRow("404") << "status:404" << "" << 30000 << cap << false << kOld;
        QTest::newRow("500") << "status:500" << "" << 30000 << cap << false << kOld;
        QTest::newRow("connection refused") << "normal" << "http://127.0.0.1:" + FreeClosedPort() + "/tvlist.zip"
                                            << 30000 << cap << false << kOld;
        QTest::newRow("stall") << "stall" << "" << 700 << cap << false << kOld;
        QTest::newRow("short body") << "short" << "" << 30000 << cap << false << kOld;
        QTest::newRow("70 MiB declared") << "huge" << "" << 30000 << cap << false << kOld;
        QTest::newRow("70 MiB undeclared") << "unsized" << "" << 30000 << cap << false << kOld;
        QTest::newRow("over a smaller cap") << "normal" << "" << 30000 << qint64(kNew.size() - 1) << false << kOld;
        QTest::newRow("not a web address") << "normal" << "file:///etc/hostname" << 30000 << cap << false << kOld;
    }

    void fetch()
    {
        QFETCH(QString, mode);
        QFETCH(QString, url);
        QFETCH(int, timeoutMs);
        QFETCH(qint64, maxBytes);
        QFETCH(bool, fetched);
        QFETCH(QByteArray, expected);

        m_server.SetMode(QStringLiteral("/tvlist.zip"), mode);
        CDlgFileDownloader dlg;
        dlg.m_strMessage = QStringLiteral("Loading Channels List Now...");
        dlg.m_downloadManager.m_nTimeoutMs = timeoutMs;
        dlg.m_downloadManager.m_nMaxBytes = maxBytes;
        const int nResult = RunDownload(dlg, url.isEmpty() ? m_server.Url(QStringLiteral("/tvlist.zip")) : url, m_strDest);

        QCOMPARE(nResult != 0, fetched);
        QCOMPARE(ReadAll(m_strDest), expected);
        QCOMPARE(TempLeftovers(), QStringList());
        // Nothing half-written beside the destination either.
        QCOMPARE(QDir(m_destDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"StationList.zip"});
    }

    void unwritableDestinationFails()
    {
        const QString dest = m_destDir.filePath(QStringLiteral("missing/StationList.zip"));
        CDlgFileDownloader dlg;
        QCOMPARE(RunDownload(dlg, m_server.Url(QStringLiteral("/tvlist.zip")), dest), 0);
        QCOMPARE(m_server.Count(QStringLiteral("/tvlist.zip")), 1);
        QVERIFY(!QFileInfo::exists(dest));
        QCOMPARE(TempLeftovers(), QStringList());
    }

    void closedInFirstSecondFetchesNothing_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("Esc") << int(CWindowWatcher::EDialogAction::Escape);
        QTest::newRow("close box") << int(CWindowWatcher::EDialogAction::CloseBox);
    }

    void closedInFirstSecondFetchesNothing()
    {
        QFETCH(int, action);
        CWindowWatcher watcher;
        watcher.m_dialogAction = CWindowWatcher::EDialogAction(action);
        CDlgFileDownloader dlg;
        QCOMPARE(RunDownload(dlg, m_server.Url(QStringLiteral("/tvlist.zip")), m_strDest), 0);
        QCOMPARE(m_server.Count(QStringLiteral("/tvlist.zip")), 0);
        QCOMPARE(ReadAll(m_strDest), kOld);
    }

    void everyFetchReachesTheServer()
    {
        const QString url = m_server.Url(QStringLiteral("/tvlist.zip"));
        {
            CDlgFileDownloader dlg;
            QVERIFY(RunDownload(dlg, url, m_strDest));
        }
        QCOMPARE(ReadAll(m_strDest), kNew);
        QVERIFY(testsupport::WriteFile(m_root.filePath(QStringLiteral("tvlist.zip")), kMoved));
        {
            CDlgFileDownloader dlg;
            QVERIFY(RunDownload(dlg, url, m_strDest));
        }
        QCOMPARE(ReadAll(m_strDest), kMoved);
        QCOMPARE(m_server.Count(QStringLiteral("/tvlist.zip")), 2);
    }

    void refreshReloadsActiveView_data()
    {
        QTest::addColumn<QString>("view"); // "reload", "ignore" or "none"
        QTest::newRow("player view") << "reload";
        QTest::newRow("view that ignores the reload") << "ignore";
        QTest::newRow("no view") << "none";
    }

    void refreshReloadsActiveView()
    {
        QFETCH(QString, view);
        SFrame host;
        CMainFrame& frame = host.frame;
        frame.resize(640, 480);
        frame.show();
        CReloadView* pReloadView = nullptr;
        frame.AddPageFactory(
            [&]() -> QWidget*
            {
                if (view == QLatin1String("ignore"))
                    return new QWidget;
                pReloadView = new CReloadView(&frame);
                pReloadView->m_strFile = ChannelListPath();
                return pReloadView;
            });
        if (view != QLatin1String("none"))
            QVERIFY(frame.OpenPage(0));
        CWindowWatcher watcher;

        QCOMPARE(RunRefresh(&frame), 1);

        QCOMPARE(watcher.m_strDialogTitle, QStringLiteral("Vedrix by Palomer"));
        QCOMPARE(watcher.m_strDialogMessage, QStringLiteral("Loading Channels List Now..."));
        QCOMPARE(watcher.m_nMessageBoxes, 0);
        QCOMPARE(ReadAll(ChannelListPath()), kNew);
        if (pReloadView)
        {
            // At once, not queued: the page has reloaded by the time the refresh reports its end.
            QCOMPARE(pReloadView->m_nReloads, 1);
            QCOMPARE(pReloadView->m_fileAtReload, kNew);
        }
        QCOMPARE(TempLeftovers(), QStringList());
        frame.ClosePage();
    }

    void refreshFailureTellsTheUser()
    {
        SFrame host;
        CMainFrame& frame = host.frame;
        frame.show();
        CReloadView* pView = nullptr;
        frame.AddPageFactory([&]() -> QWidget* { return pView = new CReloadView(&frame); });
        QVERIFY(frame.OpenPage(0));
        QVERIFY(testsupport::WriteFile(ChannelListPath(), kOld));
        m_server.SetMode(QStringLiteral("/tvlist.zip"), QStringLiteral("status:404"));
        CWindowWatcher watcher;

        QCOMPARE(RunRefresh(&frame), 0);

        QCOMPARE(watcher.m_nMessageBoxes, 1);
        QCOMPARE(watcher.m_strBoxTitle, QStringLiteral("Vedrix by Palomer"));
        QCOMPARE(watcher.m_strBoxText,
                 QStringLiteral("Failed to Update Load Channels List.\n\nPlease make sure you Computer is connected to "
                                "Internet.\n\nIn case the problem persists please do write to us at "
                                "support@palomer.example."));
        QCOMPARE(watcher.m_boxIcon, QMessageBox::Information);
        QCOMPARE(watcher.m_boxButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(watcher.m_pBoxParent, &frame);
        QCOMPARE(pView->m_nReloads, 0);
        QCOMPARE(ReadAll(ChannelListPath()), kOld);
        frame.ClosePage();
    }
};

QTEST_MAIN(TestDownloadDialog)
#include "download_dialog.moc"
