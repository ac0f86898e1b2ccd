// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The channel player view in a real main window with the real list, media player and banner: what it
// asks of the main window at start, how a channel list file becomes rows and the last channel plays
// again, the channel number of a second start, hot keys, F9, the filter commands through their
// actions, the refused address, the layout, and what it gives back when it closes.
#include "TestSupport.h"
#include "base/Commands.h"

#include "context/AppContext.h"
#include "base/Settings.h"
#include "catalogue/DataFolder.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "platform/HotKeyService.h"
#include "catalogue/ChannelTableModel.h"
#include "player/ChannelListView.h"
#include "player/ChannelPlayer.h"
#include "web/Explorer1.h"
#include "player/FilterCommands.h"
#include "player/SorvanaView.h"
#include "player/ListFilterBox.h"
#include "player/MyStationsUi.h"
#include "player/WMPPlayer4.h"
#include "stations/MyStations.h"

#include <QApplication>
#include <QCheckBox>
#include <QAction>
#include <QMessageBox>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>


namespace
{
// The text the list shows in a cell.
QString Cell(const CChannelListView* list, int nRow, int nColumn)
{
    return list->model()->index(nRow, nColumn).data().toString();
}

// Records registrations instead of grabbing keys from the display.
class CHotKeyRecorder : public CHotKeyService
{
public:
    struct SCall
    {
        bool bRegister;
        QObject* pWnd;
        int nId;
        UINT nKey;
    };
    QList<SCall> m_calls;
    bool RegisterHotKey(QObject* pWnd, int nId, UINT, UINT nVirtualKey) override
    {
        m_calls.append({true, pWnd, nId, nVirtualKey});
        return true;
    }
    bool UnregisterHotKey(QObject* pWnd, int nId) override
    {
        m_calls.append({false, pWnd, nId, 0});
        return true;
    }
    QList<int> Ids(bool bRegister, QObject* pWnd) const
    {
        QList<int> ids;
        for (const SCall& c : m_calls)
            if (c.bRegister == bRegister && c.pWnd == pWnd)
                ids << c.nId;
        return ids;
    }
};

QString Url(int i)
{
    return QStringLiteral("http://127.0.0.1:9/channel%1").arg(i);
}

// Four radio channels in English, a TV channel and a channel that is off the air.
QString ChannelList()
{
    return QStringLiteral("Type,Channel,Address,Extra,Language,About,Status\r\n"
                          "Radio,One,%1,,English,First,ON\r\n"
                          "TV,Picture,%2,,English,Hidden by default,ON\r\n"
                          "Radio,Two,%3,,English,Second,ON\r\n"
                          "Radio,Silent,%4,,English,Not working,OFF\r\n"
                          "Radio,Three,%5,,English,Third,ON\r\n"
                          "Radio,Local,file:///etc/passwd,,English,Not a stream,ON\r\n")
        .arg(Url(1), Url(90), Url(2), Url(91), Url(3));
}
// Names, descriptions and languages with accents and letters beyond ASCII.
QString AccentedList()
{
    return QStringLiteral("Type,Channel,Address,Extra,Language,About,Status\r\n"
                          "Radio,One,%1,,English,First,ON\r\n"
                          "Radio,Radio Lumière,%2,,French,Chanson française,ON\r\n"
                          "Radio,Två,%3,,Swedish,Andra,ON\r\n"
                          "Radio,Three,%4,,English,Third,ON\r\n")
        .arg(Url(1), Url(2), Url(3), Url(4));
}
} // namespace

class TestPlayerView : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        testsupport::ClearSettings(&m_context.Settings());
        QSettings store(settings::kOrganization, settings::kApplication);
        // A closed local port: the banner must not reach out anywhere.
        store.setValue(QStringLiteral("Servers/BannerServer"), QStringLiteral("http://127.0.0.1:9"));
        store.sync();
        m_context.SetActions(&m_actions);
        m_context.UseHotKeyService(&m_hotKeys);
        m_hotKeys.m_calls.clear();
        m_statusTexts.clear();
        m_nListRequests = 0;
    }
    void cleanup()
    {
        if (m_pFrame)
            m_pFrame->ClosePage();
        delete m_pFrame;
        m_pFrame = nullptr;
        QFile::remove(GetChannelListPath());
        QFile::remove(CMyStations::DefaultPath());
        m_context.UseHotKeyService(nullptr);
    }

    // Ctrl+F filters by name, description and language, without regard to case or accents; rows
    // are hidden, not renumbered; Escape gives every row back.
    void listFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown"); // serial numbers of the rows left visible
        // The rows that Next, Next, Previous then select, starting from row 1 (played at the start).
        QTest::addColumn<QStringList>("stepped");
        QTest::newRow("name, other case") << "THREE" << QStringList{"4"} << QStringList{"4", "4", "4"};
        QTest::newRow("name without accents") << "lumiere" << QStringList{"2"} << QStringList{"2", "2", "2"};
        QTest::newRow("description with accent typed")
            << "FRANÇAISE" << QStringList{"2"} << QStringList{"2", "2", "2"};
        QTest::newRow("language") << "english" << QStringList{"1", "4"} << QStringList{"4", "1", "4"};
        QTest::newRow("inside a word") << "ndr" << QStringList{"3"} << QStringList{"3", "3", "3"};
        QTest::newRow("nothing matches") << "zzz" << QStringList{} << QStringList{"1", "1", "1"};
        QTest::newRow("blank") << "  " << QStringList{"1", "2", "3", "4"} << QStringList{"2", "3", "2"};
        // Letters deleted or replaced: rows come back as the text gets shorter or other.
        QTest::newRow("deleted back") << "lumierezz\b\b" << QStringList{"2"} << QStringList{"2", "2", "2"};
        QTest::newRow("replaced")
            << "three\b\b\b\b\benglish" << QStringList{"1", "4"} << QStringList{"4", "1", "4"};
        QTest::newRow("all deleted") << "tv\b\b" << QStringList{"1", "2", "3", "4"} << QStringList{"2", "3", "2"};
    }
    void listFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, stepped);
        CSorvanaView* view = Open();
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(AccentedList())));
        view->ReloadChannelList();
        CChannelListView* list = view->GetChannelList();
        QCOMPARE(list->Channels().Count(), 4);
        WaitForPlay(view);
        // Ctrl+F is a shortcut of the view: it needs the focus in the view's active window.
        m_pFrame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
        CListFilterBox* box = view->GetFilterBox();
        QTRY_VERIFY(box->isVisible());
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClicks(box, typed);
        auto visible = [list]
        {
            QStringList serials;
            for (int i = 0; i < list->Channels().Count(); ++i)
                if (!list->isRowHidden(i))
                    serials << Cell(list, i, channellist::kSerialColumn);
            return serials;
        };
        QCOMPARE(visible(), shown);
        // A refill (a refresh of the list) keeps the filter.
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(AccentedList())));
        view->ReloadChannelList();
        QCOMPARE(visible(), shown);
        WaitForPlay(view);
        // Next and Previous go round the rows that are shown.
        QStringList played;
        for (UINT nID : {ID_PLAY_NEXT, ID_PLAY_NEXT, ID_PLAY_PREVIOUS})
        {
            m_actions.Trigger(nID);
            if (!shown.isEmpty())
                WaitForPlay(view);
            const int nRow = list->Channels().SelectedRow();
            played << (nRow >= 0 ? Cell(list, nRow, channellist::kSerialColumn) : QString());
        }
        QCOMPARE(played, stepped);
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
        QVERIFY(box->text().isEmpty());
        QCOMPARE(visible(), (QStringList{"1", "2", "3", "4"}));
    }

    // A playlist import (chosen or dropped) says how many stations came in and how many were refused.
    void importCountsAddedAndRefused()
    {
        CSorvanaView* view = Open();
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("mixed.m3u"));
        QVERIFY(testsupport::WriteFile(strPath, QStringLiteral("#EXTM3U\n#EXTINF:-1,First\n%1\n"
                                                               "/home/me/song.mp3\n#EXTINF:-1,Second\n%2\n"
                                                               "file:///etc/passwd\n")
                                                    .arg(Url(21), Url(22))
                                                    .toUtf8()));
        view->GetMyStations()->ImportFiles({strPath, dir.filePath(QStringLiteral("missing.pls"))});
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = m_pFrame->findChild<QMessageBox*>()) != nullptr);
        QCOMPARE(box->text(),
                 QStringLiteral("2 stations were added to My Stations.\n"
                                "2 entries were refused: they are not internet stream addresses.\n"
                                "These files could not be read: missing.pls"));
        const CStationList& stations = view->GetMyStations()->Stations().Stations();
        QCOMPARE(stations.size(), 2);
        QCOMPARE(stations[1].m_strName, QStringLiteral("Second"));
        QCOMPARE(stations[1].m_strUrl, Url(22));
        // The same file again: nothing new.
        delete box;
        view->GetMyStations()->ImportFiles({strPath});
        QTRY_VERIFY((box = m_pFrame->findChild<QMessageBox*>()) != nullptr);
        QCOMPARE(box->text(),
                 QStringLiteral("0 stations were added to My Stations.\n"
                                "2 entries were refused: they are not internet stream addresses.\n"
                                "2 were in My Stations already."));
    }

    // My Stations in the same list: its own rows and last row; a reload of the maker's list while
    // My Stations are shown leaves them alone, and the maker's list comes back from the waiting file.
    void myStationsBesideTheMakersList()
    {
        {
            CMyStations stations;
            stations.Load();
            QCOMPARE(stations.Add({QStringLiteral("Mine A"), Url(11), QStringLiteral("German"),
                                   QStringLiteral("Own A"), QStringLiteral("address")}),
                     CMyStations::Done);
            QCOMPARE(stations.Add({QStringLiteral("Mine B"), Url(12), QString(), QString(),
                                   QStringLiteral("address")}),
                     CMyStations::Done);
        }
        WriteSettingInt(settings::kLastChannelIndex.name, 2);
        CSorvanaView* view = Open();
        LoadList(view);
        CChannelListView* list = view->GetChannelList();
        QCOMPARE(list->Channels().Count(), 4);
        QCOMPARE(view->GetPlayer()->URL(), Url(3));

        m_actions.Trigger(ID_MY_STATIONS);
        QVERIFY(m_actions.IsChecked(ID_MY_STATIONS));
        QCOMPARE(ReadSettingInt(settings::kShowMyStations), 1);
        QCOMPARE(list->Channels().Count(), 2);
        QCOMPARE(Cell(list, 0, channellist::kSerialColumn), QStringLiteral("1"));
        QCOMPARE(Cell(list, 0, channellist::kNameColumn), QStringLiteral("Mine A"));
        QCOMPARE(Cell(list, 0, 3), QStringLiteral("German"));
        QCOMPARE(Cell(list, 1, channellist::kUrlColumn), Url(12));
        // Auto play: My Stations' own last row (none stored: row 0).
        QTRY_COMPARE(view->GetPlayer()->URL(), Url(11));
        m_actions.Trigger(ID_PLAY_NEXT);
        QTRY_COMPARE(view->GetPlayer()->URL(), Url(12));
        QCOMPARE(ReadSettingInt(settings::kMyStationsLastIndex), 1);
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), 2);

        // A refresh of the maker's list does not replace My Stations; its file waits.
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(ChannelList())));
        view->ReloadChannelList();
        QCOMPARE(list->Channels().Count(), 2);
        QVERIFY(QFile::exists(GetChannelListPath()));

        // Renaming keeps the playing station selected and playing; it is not restarted.
        // (A Play would store the row again: the marker shows that none ran.)
        CMyStations& mine = view->GetMyStations()->Stations();
        WriteSettingInt(settings::kMyStationsLastIndex.name, 7);
        QCOMPARE(mine.Rename(1, QStringLiteral("Mine B2")), CMyStations::Done);
        QTRY_COMPARE(Cell(list, 1, channellist::kNameColumn), QStringLiteral("Mine B2"));
        QCOMPARE(list->Channels().SelectedRow(), 1);
        QCOMPARE(ReadSettingInt(settings::kMyStationsLastIndex), 7);

        // Back to the maker's list: its rows from the waiting file, its own last row.
        m_actions.Trigger(ID_MY_STATIONS);
        QVERIFY(!m_actions.IsChecked(ID_MY_STATIONS));
        QCOMPARE(ReadSettingInt(settings::kShowMyStations), 0);
        QTRY_COMPARE(list->Channels().Count(), 4);
        QCOMPARE(Cell(list, 0, channellist::kNameColumn), QStringLiteral("One"));
        QTRY_COMPARE(view->GetPlayer()->URL(), Url(3));
    }

    void initialUpdateAsksTheMainWindowForTheList()
    {
        WriteSettingInt(QStringLiteral("Play Next Key"), 0x41);
        WriteSettingInt(QStringLiteral("Play Next Mod"), 0x2);
        CSorvanaView* view = Open();
        // The list is asked for once the page is up, on the next turn of the event loop.
        QCOMPARE(m_nListRequests, 0);
        QTRY_COMPARE(m_nListRequests, 1);
        QCOMPARE(m_hotKeys.Ids(false, view), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(m_hotKeys.Ids(true, view), QList<int>{2});
        QCOMPARE(ReadSettingInt(settings::kSorvanaViewSized), 1);
        QCOMPARE(view->GetChannelList()->Channels().Count(), 0);
        QVERIFY(view->GetPlayer()->URL().isEmpty());
        // The first showing fitted the main window to the form.
        QCOMPARE(view->GetFormSize(), QSize(713, 531));
        QTRY_COMPARE(view->size(), view->GetFormSize());
    }

    void reloadFillsTheListAndPlaysTheLastChannel()
    {
        WriteSettingInt(settings::kLastChannelIndex.name, 2);
        CSorvanaView* view = Open();
        LoadList(view);
        CChannelListView* list = view->GetChannelList();
        QCOMPARE(list->Channels().Count(), 4); // TV hidden by default, the OFF channel left out
        QCOMPARE(Cell(list, 2, 0), QStringLiteral("3"));
        QCOMPARE(Cell(list, 2, 1), QStringLiteral("Three"));
        QVERIFY(list->isColumnHidden(channellist::kUrlColumn));
        QCOMPARE(list->Channels().SelectedRow(), 2);
        QCOMPARE(view->GetPlayer()->URL(), Url(3));
        QVERIFY(!QFile::exists(GetChannelListPath()));
        // Its status reaches the main window.
        QTRY_VERIFY(!m_statusTexts.isEmpty());
        QTRY_COMPARE(m_pFrame->GetStatusText(), view->GetPlayer()->get_status());
    }

    void channelNumberOfASecondStart_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("url");
        QTest::newRow("2") << 2 << 1 << Url(2);
        QTest::newRow("4") << 4 << 3 << QStringLiteral("file:///etc/passwd");
        QTest::newRow("7: no such row") << 7 << 0 << Url(1);
        QTest::newRow("-5") << -5 << 0 << Url(1);
    }
    void channelNumberOfASecondStart()
    {
        QFETCH(int, number);
        QFETCH(int, selected);
        QFETCH(QString, url);
        CSorvanaView* view = Open();
        LoadList(view);
        m_pFrame->PlayChannelNumber(number);
        QCOMPARE(view->GetChannelList()->Channels().SelectedRow(), selected);
        QTRY_COMPARE(view->GetPlayer()->URL(), url);
    }

    // A first start with a number plays that channel after the first list instead of the last one.
    void channelNumberOfTheCommandLine()
    {
        WriteSettingInt(settings::kLastChannelIndex.name, 0);
        m_context.SetStartChannel(3);
        CSorvanaView* view = Open();
        LoadList(view);
        QCOMPARE(view->GetPlayer()->URL(), Url(3));
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), 2);
        // Played once: the number was taken, and the next list plays the last channel again.
        QCOMPARE(m_context.TakeStartChannel(), -1);
    }

    void playbackCommandsFromEverySource()
    {
        CSorvanaView* view = Open();
        LoadList(view); // plays row 0
        CChannelListView* list = view->GetChannelList();

        emit m_hotKeys.HotKeyPressed(view, 2, MOD_CONTROL, 0x41); // Play Next
        QTRY_COMPARE(view->GetPlayer()->URL(), Url(2));

        // No such hot key, and a hot key of another window: nothing happens (the marker runs after
        // both presses have been handled).
        QObject other;
        emit m_hotKeys.HotKeyPressed(view, 5, 0, 0x41);
        emit m_hotKeys.HotKeyPressed(&other, 2, 0, 0x41);
        bool bHandled = false;
        QMetaObject::invokeMethod(this, [&bHandled] { bHandled = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(bHandled);
        QCOMPARE(list->Channels().SelectedRow(), 1);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_F9);
        QTRY_COMPARE(view->GetPlayer()->URL(), Url(3));

        // The tray's entry is the same action.
        m_actions.Action(ID_PLAY_PREVIOUS)->trigger();
        QCOMPARE(list->Channels().SelectedRow(), 1);
        WaitForPlay(view);

        m_actions.Trigger(ID_STOP);
        QTRY_COMPARE(view->GetPlayer()->get_status(), QStringLiteral("Stopped"));
        QCOMPARE(list->Channels().SelectedRow(), 1);
    }

    // Only network streams are opened: a list entry naming a local file shows an error instead.
    void refusedAddressShowsAnError()
    {
        CSorvanaView* view = Open();
        LoadList(view);
        view->GetChannelList()->Channels().SelectRow(3);
        QTRY_VERIFY(m_pFrame->GetStatusText().startsWith(QStringLiteral("Error: ")));
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), 3);
    }

    // The ribbon's check boxes are the page's actions: their marks are the stored choices, and a
    // toggle asks the main window for the list.
    void filterCommandsThroughTheirActions()
    {
        CSorvanaView* view = Open();
        LoadList(view);
        QTRY_COMPARE(m_nListRequests, 1); // the first showing's
        QVERIFY(m_actions.IsEnabled(ID_DISPLAY_TV_CHANNELS));
        QVERIFY(!m_actions.IsChecked(ID_DISPLAY_TV_CHANNELS));
        QVERIFY(m_actions.IsChecked(ID_DISPLAY_RADIO_CHANNELS));
        m_actions.Trigger(ID_DISPLAY_TV_CHANNELS);
        QVERIFY(m_actions.IsChecked(ID_DISPLAY_TV_CHANNELS));
        QTRY_COMPARE(m_nListRequests, 2);
        QCOMPARE(ReadSettingInt(settings::kDisplayTVChannels), 1);
        LoadList(view); // what the refresh does on success
        QCOMPARE(view->GetChannelList()->Channels().Count(), 5);
        QCOMPARE(Cell(view->GetChannelList(), 1, 1), QStringLiteral("Picture"));
    }

    // The hidden check box still stores its value and reloads the list without a download.
    void nonWorkingCheckBox()
    {
        CSorvanaView* view = Open();
        auto* box = view->findChild<QCheckBox*>(QStringLiteral("DisplayNonWorkingChannels"));
        QVERIFY(box);
        QVERIFY(!box->isVisible());
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(ChannelList())));
        box->click();
        QCOMPARE(ReadSettingInt(settings::kDisplayNonWorkingChannels), 1);
        QTRY_COMPARE(view->GetChannelList()->Channels().Count(), 5);
        QCOMPARE(Cell(view->GetChannelList(), 2, 1), QStringLiteral("Silent"));
    }

    // A larger window gives its height to the player and the list. The banner keeps its own while it
    // has a page (here one on its way from a server that never answers); without a banner server it
    // is hidden and the list takes its room.
    void layoutGrowsWithTheWindow_data()
    {
        QTest::addColumn<bool>("banner");
        QTest::newRow("banner on its way") << true;
        QTest::newRow("no banner server") << false;
    }
    void layoutGrowsWithTheWindow()
    {
        QFETCH(bool, banner);
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        {
            QSettings store(settings::kOrganization, settings::kApplication);
            if (banner)
                store.setValue(QStringLiteral("Servers/BannerServer"),
                               QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));
            else
                store.remove(QStringLiteral("Servers/BannerServer"));
        }
        CSorvanaView* view = Open();
        auto* pBanner = view->findChild<CExplorer1*>();
        QVERIFY(pBanner);
        QCOMPARE(pBanner->isVisible(), banner);
        const int nBanner = banner ? pBanner->height() : 0;
        QTRY_COMPARE(view->GetChannelList()->geometry().bottom() + 1 + nBanner, view->height());
        const int nPlayer = view->GetPlayer()->height();
        const int nList = view->GetChannelList()->height();
        if (banner)
        {
            QCOMPARE(pBanner->contentsRect().height(), 156);
            QVERIFY2(nPlayer >= 190 && nPlayer <= 220, qPrintable(QString::number(nPlayer)));
            QVERIFY2(nList >= 150 && nList <= 180, qPrintable(QString::number(nList)));
        }
        m_pFrame->resize(m_pFrame->width() + 200, m_pFrame->height() + 300);
        QTRY_VERIFY(view->GetPlayer()->height() > nPlayer + 100);
        QVERIFY(view->GetChannelList()->height() > nList + 100);
        QCOMPARE(pBanner->isVisible(), banner);
        QCOMPARE(view->GetChannelList()->geometry().bottom() + 1 + nBanner, view->height());
        if (banner)
        {
            QCOMPARE(pBanner->height(), nBanner);
            QCOMPARE(pBanner->geometry().bottom(), view->height() - 1);
        }
    }

    void closingGivesBackTheHotKeys()
    {
        CSorvanaView* view = Open();
        m_hotKeys.m_calls.clear();
        QVERIFY(m_actions.IsEnabled(ID_PLAY));
        m_pFrame->ClosePage();
        QCOMPARE(m_hotKeys.Ids(false, view), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(m_pFrame->GetActivePage(), nullptr);
        // Its commands went with it.
        QVERIFY(!m_actions.IsEnabled(ID_PLAY) && !m_actions.IsEnabled(ID_DISPLAY_TV_CHANNELS));
    }

private:
    CSorvanaView* Open()
    {
        m_pFrame = new CMainFrame(m_context);
        // Wired as the application wires the player's page.
        m_pFrame->AddPageFactory(
            [this]
            {
                auto* view = new CSorvanaView(m_context);
                connect(view, &CSorvanaView::StatusTextChanged, m_pFrame,
                        [this](const QString& strText)
                        {
                            m_statusTexts << strText;
                            m_pFrame->SetStatusText(strText);
                        });
                connect(view, &CSorvanaView::ChannelListWanted, this, [this] { ++m_nListRequests; });
                connect(m_pFrame, &CMainFrame::ChannelNumberRequested, view, &CSorvanaView::PlayChannelNumber);
                return view;
            });
        m_pFrame->resize(400, 300);
        m_pFrame->show();
        if (!QTest::qWaitForWindowExposed(m_pFrame))
            return nullptr;
        m_pFrame->OpenPage(0);
        return qobject_cast<CSorvanaView*>(m_pFrame->GetActivePage());
    }
    // Waits for the Play that a selection queues: the player then has the selected row's address.
    static void WaitForPlay(CSorvanaView* view)
    {
        CChannelListView* list = view->GetChannelList();
        QTRY_VERIFY(list->Channels().SelectedRow() >= 0 &&
                    view->GetPlayer()->URL() == list->Channels().Channel(list->Channels().SelectedRow()).m_strUrl);
    }
    void LoadList(CSorvanaView* view)
    {
        QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(ChannelList())));
        view->ReloadChannelList();
        WaitForPlay(view); // the Play that the selection change queued
    }

    CCommandActions m_actions;
    CAppContext m_context;
    CMainFrame* m_pFrame = nullptr;
    QStringList m_statusTexts;
    int m_nListRequests = 0;
    CHotKeyRecorder m_hotKeys;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestPlayerView test;
    return QTest::qExec(&test, argc, argv);
}

#include "player_view.moc"
