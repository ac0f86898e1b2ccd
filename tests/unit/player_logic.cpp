// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The channel player's logic against the real channel table and a player that records what it is given: the
// selection is the current channel, every play goes through one posted Play, Next and Previous wrap,
// the last channel comes back after a list load, and only stream addresses reach the player.
#include "TestSupport.h"

#include "base/Settings.h"
#include "base/SettingsStore.h"
#include "catalogue/DataFolder.h"
#include "catalogue/ChannelTableModel.h"
#include "player/ChannelPlayer.h"
#include "playback/MediaPlayer.h"

#include <QtTest>
#include <deque>


namespace
{
class CControlsDouble : public CWMPControls
{
public:
    void stop() override { ++m_nStops; }
    int m_nStops = 0;
};

class CPlayerDouble : public CMediaPlayer
{
public:
    void put_URL(const QString& strUrl) override { m_urls.append(strUrl); }
    CWMPControls& get_controls() override { return m_controls; }
    QString get_status() const override { return {}; }
    EPlayerState GetState() const override { return EPlayerState::Idle; }

    QStringList m_urls;
    CControlsDouble m_controls;
};

// The view around the logic: posted commands wait in a queue until Pump() runs them.
struct SRig
{
    CChannelTableModel list;
    CPlayerDouble player;
    std::deque<UINT> posted;
    QList<UINT> allPosted;
    QStringList names;
    QList<int> numbers; // of the channels opened
    CSettingsStore settings;
    CChannelPlayer logic;

    explicit SRig(int nRows = 0, int nStartChannel = -1)
        : logic(list, player, settings,
                [this](UINT nID)
                {
                    posted.push_back(nID);
                    allPosted.append(nID);
                },
                nStartChannel)
    {
        QObject::connect(&list, &CChannelTableModel::RowStateChanged,
                         [this](int nRow, CChannelTableModel::RowStates states)
                         { logic.OnRowStateChanged(nRow, states); });
        logic.m_onOpenChannel = [this](const CChannel& channel)
        {
            names.append(channel.m_strName);
            numbers.append(channel.m_nNumber);
        };
        std::vector<CChannelRecord> records(static_cast<size_t>(nRows));
        for (int i = 0; i < nRows; ++i)
        {
            records[size_t(i)].m_strName = QStringLiteral("Channel %1").arg(i);
            records[size_t(i)].m_strUrl = UrlOf(i);
        }
        list.SetChannels(QStringList(5), std::move(records));
    }
    // Selects a row as the user's earlier choice, without playing it.
    void Preselect(int nRow)
    {
        list.SelectRow(nRow);
        posted.clear();
        allPosted.clear();
    }
    static QString UrlOf(int i) { return QStringLiteral("http://127.0.0.1:8000/ch%1").arg(i); }

    void Pump()
    {
        while (!posted.empty())
        {
            const UINT nID = posted.front();
            posted.pop_front();
            switch (nID)
            {
            case ID_PLAY: logic.OnPlay(); break;
            case ID_PLAY_NEXT: logic.OnPlayNext(); break;
            case ID_PLAY_PREVIOUS: logic.OnPlayPrevious(); break;
            case ID_STOP: logic.OnStop(); break;
            default: break;
            }
        }
    }
};

QString ChannelListFile(int nChannels)
{
    QString text = QStringLiteral("Type,Channel,Address,Extra,Language,About,Status\r\n");
    for (int i = 0; i < nChannels; ++i)
        text += QStringLiteral("Radio,Channel %1,%2,,English,Tone,ON\r\n").arg(i).arg(SRig::UrlOf(i));
    return text;
}

void PutChannelListFile(int nChannels)
{
    QVERIFY(testsupport::WriteFile(GetChannelListPath(), testsupport::Utf16Le(ChannelListFile(nChannels))));
}

constexpr int kNone = -1;
} // namespace

class TestPlayerLogic : public QObject
{
    Q_OBJECT
private slots:
    void init() { testsupport::ClearSettings(); }

    void playWithNothingSelected_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("played");
        QTest::newRow("five rows: row 0") << 5 << 0;
        QTest::newRow("empty list: nothing") << 0 << kNone;
    }
    void playWithNothingSelected()
    {
        QFETCH(int, rows);
        QFETCH(int, played);
        WriteSettingInt(settings::kLastChannelIndex.name, 3);
        SRig rig(rows);
        rig.logic.OnPlay();
        QVERIFY(rig.player.m_urls.isEmpty()); // nothing plays before the posted Play runs
        rig.Pump();
        QCOMPARE(rig.list.SelectedRow(), played);
        if (played == kNone)
        {
            QVERIFY(rig.player.m_urls.isEmpty());
            QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), 3);
            return;
        }
        QCOMPARE(rig.numbers, QList<int>{played + 1});
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(played)});
        QCOMPARE(rig.names, QStringList{QStringLiteral("Channel %1").arg(played)});
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), played);
    }

    void nextAndPrevious_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("selected");
        QTest::addColumn<UINT>("command");
        QTest::addColumn<int>("played");
        QTest::newRow("next in the middle") << 5 << 2 << ID_PLAY_NEXT << 3;
        QTest::newRow("next wraps from the last row") << 5 << 4 << ID_PLAY_NEXT << 0;
        QTest::newRow("next with nothing selected") << 5 << kNone << ID_PLAY_NEXT << 0;
        QTest::newRow("previous in the middle") << 5 << 2 << ID_PLAY_PREVIOUS << 1;
        QTest::newRow("previous wraps from row 0") << 5 << 0 << ID_PLAY_PREVIOUS << 4;
        QTest::newRow("previous with nothing selected") << 5 << kNone << ID_PLAY_PREVIOUS << 4;
        QTest::newRow("two rows: next wraps") << 2 << 1 << ID_PLAY_NEXT << 0;
        QTest::newRow("one selected row: next") << 1 << 0 << ID_PLAY_NEXT << kNone;
        QTest::newRow("one unselected row: next") << 1 << kNone << ID_PLAY_NEXT << kNone;
        QTest::newRow("one unselected row: previous") << 1 << kNone << ID_PLAY_PREVIOUS << kNone;
        QTest::newRow("empty list: next") << 0 << kNone << ID_PLAY_NEXT << kNone;
        QTest::newRow("empty list: previous") << 0 << kNone << ID_PLAY_PREVIOUS << kNone;
    }
    void nextAndPrevious()
    {
        QFETCH(int, rows);
        QFETCH(int, selected);
        QFETCH(UINT, command);
        QFETCH(int, played);
        SRig rig(rows);
        rig.Preselect(selected);
        rig.posted.push_back(command);
        rig.Pump();
        if (played == kNone)
        {
            QVERIFY(rig.player.m_urls.isEmpty());
            QCOMPARE(rig.list.SelectedRow(), selected);
            return;
        }
        QCOMPARE(rig.list.SelectedRow(), played);
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(played)});
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), played);
    }

    // A click on the row that is already selected changes no state and replays nothing; another
    // row plays at once, through exactly one posted Play.
    void reselectingPlaysNothing()
    {
        SRig rig(4);
        rig.logic.SelectRow(2);
        rig.Pump();
        rig.logic.SelectRow(2);
        rig.Pump();
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(2)});
        rig.logic.SelectRow(3);
        rig.Pump();
        QCOMPARE(rig.player.m_urls, (QStringList{SRig::UrlOf(2), SRig::UrlOf(3)}));
        QCOMPARE(rig.allPosted, (QList<UINT>{ID_PLAY, ID_PLAY}));
    }

    void stopThenPlayRestartsTheSelectedRow()
    {
        SRig rig(3);
        rig.logic.SelectRow(1);
        rig.Pump();
        rig.posted.push_back(ID_STOP);
        rig.Pump();
        QCOMPARE(rig.player.m_controls.m_nStops, 1);
        QCOMPARE(rig.list.SelectedRow(), 1);
        rig.posted.push_back(ID_PLAY);
        rig.Pump();
        QCOMPARE(rig.player.m_urls, (QStringList{SRig::UrlOf(1), SRig::UrlOf(1)}));
    }

    void restoreAfterLoad_data()
    {
        QTest::addColumn<int>("autoPlay"); // -1: not stored
        QTest::addColumn<int>("lastIndex"); // -1: not stored
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("played");
        QTest::newRow("nothing stored: row 0") << -1 << -1 << 5 << 0;
        QTest::newRow("row 7 of eight") << 1 << 7 << 8 << 7;
        QTest::newRow("row 7 of seven: nothing") << 1 << 7 << 7 << kNone;
        QTest::newRow("negative index: nothing") << 1 << -3 << 7 << kNone;
        QTest::newRow("auto play 0: nothing") << 0 << 2 << 5 << kNone;
        QTest::newRow("auto play 2 is off") << 2 << 2 << 5 << kNone;
        QTest::newRow("empty list: nothing") << 1 << 0 << 0 << kNone;
    }
    void restoreAfterLoad()
    {
        QFETCH(int, autoPlay);
        QFETCH(int, lastIndex);
        QFETCH(int, rows);
        QFETCH(int, played);
        if (autoPlay != -1)
            WriteSettingInt(settings::kAutoPlay.name, autoPlay);
        if (lastIndex != -1)
            WriteSettingInt(settings::kLastChannelIndex.name, lastIndex);
        PutChannelListFile(rows);
        SRig rig;
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.list.Count(), rows);
        QVERIFY(!QFile::exists(GetChannelListPath()));
        QCOMPARE(rig.list.SelectedRow(), played);
        QCOMPARE(rig.player.m_urls, played == kNone ? QStringList() : QStringList{SRig::UrlOf(played)});
    }

    // A reload that finds no file keeps the rows and the selection and so leaves playback alone;
    // the next downloaded list is rebuilt and its restored row plays anew.
    void reloadWithoutFileKeepsPlaying()
    {
        WriteSettingInt(settings::kLastChannelIndex.name, 1);
        PutChannelListFile(3);
        SRig rig;
        rig.logic.ReloadChannelList();
        rig.Pump();
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.list.Count(), 3);
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(1)});
        PutChannelListFile(3);
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.player.m_urls, (QStringList{SRig::UrlOf(1), SRig::UrlOf(1)}));
    }

    // A start with a channel number plays that channel after the first list load instead of the
    // last one, and only once; a number that no row carries ("abc" gives 0) falls back to the last.
    void commandLineChannel_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("firstPlayed");
        QTest::newRow("channel 2") << 2 << 1;
        QTest::newRow("channel 5 of five") << 5 << 4;
        QTest::newRow("0 from text: last channel") << 0 << 3;
        QTest::newRow("9 beyond the list: last channel") << 9 << 3;
    }
    void commandLineChannel()
    {
        QFETCH(int, number);
        QFETCH(int, firstPlayed);
        WriteSettingInt(settings::kLastChannelIndex.name, 3);
        SRig rig(0, number);
        rig.logic.ReloadChannelList(); // no file yet: the number waits
        QCOMPARE(rig.logic.GetPendingChannel(), number);
        PutChannelListFile(5);
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(firstPlayed)});
        QCOMPARE(rig.logic.GetPendingChannel(), -1);

        PutChannelListFile(5);
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.player.m_urls.last(), SRig::UrlOf(firstPlayed)); // LastChannelIndex now
        QCOMPARE(ReadSettingInt(settings::kLastChannelIndex), firstPlayed);
    }

    // A second start's number arriving before the first list is kept for it.
    void channelNumberBeforeTheList()
    {
        SRig rig;
        QVERIFY(!rig.logic.SelectChannelNumber(4));
        PutChannelListFile(5);
        rig.logic.ReloadChannelList();
        rig.Pump();
        QCOMPARE(rig.player.m_urls, QStringList{SRig::UrlOf(3)});
        QVERIFY(rig.logic.SelectChannelNumber(2));
        QVERIFY(!rig.logic.SelectChannelNumber(6));
        QVERIFY(!rig.logic.SelectChannelNumber(-5));
        rig.Pump();
        QCOMPARE(rig.player.m_urls.last(), SRig::UrlOf(1));
        QCOMPARE(rig.logic.GetPendingChannel(), -1);
    }

    void hotKeysAndListKeys_data()
    {
        QTest::addColumn<bool>("hotKey");
        QTest::addColumn<unsigned>("code");
        QTest::addColumn<QList<UINT>>("posted");
        QTest::newRow("hot key 0") << true << 0u << QList<UINT>{};
        QTest::newRow("hot key 1: play") << true << 1u << QList<UINT>{ID_PLAY};
        QTest::newRow("hot key 2: next") << true << 2u << QList<UINT>{ID_PLAY_NEXT};
        QTest::newRow("hot key 3: previous") << true << 3u << QList<UINT>{ID_PLAY_PREVIOUS};
        QTest::newRow("hot key 4: stop") << true << 4u << QList<UINT>{ID_STOP};
        QTest::newRow("hot key 5") << true << 5u << QList<UINT>{};
        QTest::newRow("F8: previous") << false << 0x77u << QList<UINT>{ID_PLAY_PREVIOUS};
        QTest::newRow("F9: next") << false << 0x78u << QList<UINT>{ID_PLAY_NEXT};
        QTest::newRow("Enter") << false << 0x0Du << QList<UINT>{};
        QTest::newRow("F10") << false << 0x79u << QList<UINT>{};
    }
    void hotKeysAndListKeys()
    {
        QFETCH(bool, hotKey);
        QFETCH(unsigned, code);
        QFETCH(QList<UINT>, posted);
        SRig rig(3);
        if (hotKey)
            QCOMPARE(rig.logic.OnHotKey(code), !posted.isEmpty());
        else
            rig.logic.OnListKeyDown(code);
        QCOMPARE(rig.allPosted, posted);
        QVERIFY(rig.player.m_urls.isEmpty()); // nothing acts before the posted command runs
    }

    void hotKeyFourStops()
    {
        SRig rig(2);
        rig.logic.OnHotKey(4);
        rig.Pump();
        QCOMPARE(rig.player.m_controls.m_nStops, 1);
    }
};

QTEST_GUILESS_MAIN(TestPlayerLogic)
#include "player_logic.moc"
