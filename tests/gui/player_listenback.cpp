// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Listening back as the user reaches it, over an engine whose rewind buffer the test sets: the
// commands and the control bar follow the buffer, Play goes on from a pause, the arrow keys move in
// the buffer except in a text box, the desktop's Pause pauses a buffered stream and stops any other,
// and the song history saves only the songs that the buffer still holds.
#include "TestSupport.h"
#include "base/Commands.h"

#include "context/AppContext.h"
#include "context/CommandActions.h"
#include "frame/MainFrame.h"
#include "frame/MprisService.h"
#include "frame/SongHistoryWindow.h"
#include "playback/MpvEngine.h"
#include "playback/PlaybackService.h"
#include "playback/SongHistory.h"
#include "player/ChannelListView.h"
#include "player/ListFilterBox.h"
#include "player/PlayerControlBar.h"
#include "player/SorvanaView.h"
#include "player/StreamRecorder.h"
#include "player/WMPPlayer4.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace
{
// Plays nothing; keeps the calls, and its buffer is what the test says.
class CFakeEngine : public CMpvEngine
{
public:
    QStringList m_calls;
    QList<SBufferedSong> m_songs;
    QString m_strSaveError;

    void Open(const QString& strUrl) override
    {
        m_strUrl = strUrl;
        m_calls << QStringLiteral("Open");
        SetStatus(QStringLiteral("Playing"), EPlayerState::Playing, true);
    }
    void Replay() override { m_calls << QStringLiteral("Replay"); }
    void Stop() override
    {
        m_calls << QStringLiteral("Stop");
        SetPaused(false);
        SetBuffer({});
        SetStatus(QStringLiteral("Stopped"), EPlayerState::Stopped, false);
    }
    QString AudioCodec() const override { return QStringLiteral("mp3"); }
    void Pause() override
    {
        m_calls << QStringLiteral("Pause");
        SetPaused(true);
    }
    void Resume() override
    {
        m_calls << QStringLiteral("Resume");
        SetPaused(false);
    }
    void SeekBy(double dSeconds) override { m_calls << QStringLiteral("SeekBy %1").arg(dSeconds); }
    void SeekToBuffer(double dSeconds) override
    {
        m_calls << QStringLiteral("SeekToBuffer %1").arg(dSeconds);
    }
    void GoLive() override { m_calls << QStringLiteral("GoLive"); }
    QList<SBufferedSong> BufferedSongs() const override { return m_songs; }
    QString SaveSong(int nSong, const QString& strPath) override
    {
        m_calls << QStringLiteral("SaveSong %1 %2").arg(nSong).arg(strPath);
        return m_strSaveError;
    }

    // A buffered stream that plays: 1000 s in the buffer, dBehind from its live edge.
    void Buffered(double dBehind, const QList<SBufferedSong>& songs)
    {
        m_songs = songs;
        SetStatus(QStringLiteral("Playing"), EPlayerState::Playing, true);
        SetBuffer({true, 0, 1000, 1000 - dBehind, dBehind});
        emit BufferedSongsChanged();
    }
};

// The first began before the buffer; the last still goes on.
const QList<SBufferedSong> kSongs{{QStringLiteral("Cut Short"), 0, 300, true},
                                  {QStringLiteral("Whole"), 300, 600, false},
                                  {QStringLiteral("Now"), 600, -1, false}};
} // namespace

class TestPlayerListenBack : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        testsupport::ClearSettings(&m_context.Settings());
        m_context.SetActions(&m_actions);
        m_pEngine = new CFakeEngine;
        m_context.Playback().SetEngine(std::unique_ptr<CPlaybackEngine>(m_pEngine));
        m_pFrame = new CMainFrame(m_context);
        m_pFrame->AddPageFactory([this] { return new CSorvanaView(m_context); });
        m_pFrame->resize(600, 400);
        m_pFrame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pFrame));
        m_pFrame->OpenPage(0);
        m_pView = qobject_cast<CSorvanaView*>(m_pFrame->GetActivePage());
        QVERIFY(m_pView);
        CChannel channel;
        channel.m_strName = QStringLiteral("One");
        channel.m_strUrl = QStringLiteral("http://127.0.0.1:9/one");
        m_context.Playback().SetChannel(channel);
        m_pEngine->Open(channel.m_strUrl);
    }
    void cleanup()
    {
        m_pFrame->ClosePage();
        delete m_pFrame;
        m_pFrame = nullptr;
        m_context.Playback().SetEngine(nullptr);
    }

    // What can be done follows the engine's buffer, in the ribbon's actions and on the control bar,
    // and the status says how far behind live; Play goes on from a pause rather than opening anew.
    void controlsFollowTheBuffer()
    {
        CPlayerControlBar* bar = m_pView->GetPlayer()->ControlBar();
        auto button = [bar](const char* name)
        {
            for (QToolButton* pButton : bar->findChildren<QToolButton*>())
                if (pButton->accessibleName() == QLatin1String(name))
                    return pButton;
            return static_cast<QToolButton*>(nullptr);
        };
        auto enabled = [this]
        {
            QStringList ids;
            for (UINT nID : {ID_PAUSE, ID_GO_LIVE, ID_PREVIOUS_SONG, ID_NEXT_SONG, ID_SAVE_SONG})
                ids << (m_actions.IsEnabled(nID) ? QString::number(nID) : QStringLiteral("-"));
            return ids.join(' ');
        };
        // A stream without a buffer: nothing of it.
        QCOMPARE(enabled(), QStringLiteral("- - - - -"));
        QVERIFY(!button("Pause")->isVisible() && !button("Live")->isVisible());

        m_pEngine->Buffered(0, kSongs);
        QCOMPARE(enabled(), QStringLiteral("360 - 362 - 364"));
        QVERIFY(button("Pause")->isVisible() && button("Pause")->isEnabled());
        QVERIFY(button("Live")->isVisible() && !button("Live")->isEnabled());
        QVERIFY(!m_context.Playback().StatusText().contains(QStringLiteral("behind live")));

        m_actions.Trigger(ID_PAUSE);
        QCOMPARE(m_pEngine->m_calls.last(), QStringLiteral("Pause"));
        m_pEngine->Buffered(754, kSongs); // 12:34 behind, back in the first song
        QCOMPARE(enabled(), QStringLiteral("- 361 362 363 364"));
        QVERIFY(!button("Pause")->isEnabled() && button("Live")->isEnabled());
        QVERIFY(bar->findChildren<QLabel*>().first()->text() == QStringLiteral("-12:34"));
        QVERIFY2(m_context.Playback().StatusText().endsWith(QStringLiteral(" | 12:34 behind live")),
                 qPrintable(m_context.Playback().StatusText()));
        // The position bar spans the buffer with its handle at the playing point.
        auto* position = bar->findChild<QSlider*>();
        QVERIFY(position->isEnabled());
        QCOMPARE(position->value(), 246);
        QTest::mouseClick(position, Qt::LeftButton, {},
                          QPoint(position->width() / 2, position->height() / 2));
        // A click in the middle: about the middle of the buffer.
        const QString strSeek = m_pEngine->m_calls.last();
        QVERIFY2(strSeek.startsWith(QStringLiteral("SeekToBuffer ")) &&
                     qAbs(strSeek.section(' ', 1).toDouble() - 500) < 50,
                 qPrintable(strSeek));

        m_actions.Trigger(ID_PLAY);
        QCOMPARE(m_pEngine->m_calls.last(), QStringLiteral("Resume"));
        QVERIFY(!m_pEngine->m_calls.contains(QStringLiteral("Replay")));
        QCOMPARE(m_pEngine->m_calls.count(QStringLiteral("Open")), 1);
        QTest::mouseClick(button("Live"), Qt::LeftButton);
        QCOMPARE(m_pEngine->m_calls.last(), QStringLiteral("GoLive"));

        // The stream ends: the commands go off, the note goes.
        m_actions.Trigger(ID_STOP);
        QCOMPARE(enabled(), QStringLiteral("- - - - -"));
        QVERIFY(!m_context.Playback().StatusText().contains(QStringLiteral("behind live")));
    }

    // Left/Right move 10 s, with Shift 60 s, wherever the page has the focus, but a text box and the
    // volume keep their keys; without a buffer the keys stay with the widgets.
    void arrowKeys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("buffered");
        QTest::addColumn<QStringList>("calls");
        const QStringList moves{"SeekBy -10", "SeekBy 10", "SeekBy -60", "SeekBy 60"};
        QTest::newRow("channel list") << "list" << true << moves;
        QTest::newRow("position bar") << "position" << true << moves;
        QTest::newRow("filter box") << "filter" << true << QStringList{};
        QTest::newRow("volume") << "volume" << true << QStringList{};
        QTest::newRow("no buffer") << "list" << false << QStringList{};
    }
    void arrowKeys()
    {
        QFETCH(QString, focus);
        QFETCH(bool, buffered);
        QFETCH(QStringList, calls);
        if (buffered)
            m_pEngine->Buffered(30, kSongs);
        m_pFrame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pFrame));
        QWidget* target = m_pView->GetChannelList();
        const QList<QSlider*> sliders = m_pView->GetPlayer()->ControlBar()->findChildren<QSlider*>();
        if (focus == QLatin1String("filter"))
        {
            m_pView->GetFilterBox()->Open();
            target = m_pView->GetFilterBox();
        }
        else if (focus == QLatin1String("position"))
            target = sliders.first();
        else if (focus == QLatin1String("volume"))
            target = sliders.last();
        target->setFocus();
        QTRY_VERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
        QWidget* focused = QApplication::focusWidget();
        m_pEngine->m_calls.clear();
        const int nVolume = sliders.last()->value();
        QTest::keyClick(focused, Qt::Key_Left);
        const int nVolumeAfterLeft = sliders.last()->value();
        QTest::keyClick(focused, Qt::Key_Right);
        QTest::keyClick(focused, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(focused, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m_pEngine->m_calls, calls);
        // The volume took its key.
        QCOMPARE(nVolumeAfterLeft < nVolume, focus == QLatin1String("volume"));
    }

    // The desktop's Pause and Play-Pause pause a buffered stream and go on from the pause; without a
    // buffer Pause stops, as before. Its Seek moves in the buffer and it hears of the move.
    void desktopPauseAndSeek()
    {
        CMprisService mpris(&m_context.NowPlaying(), m_actions, nullptr);
        CNowPlaying& now = m_context.NowPlaying();
        QTRY_VERIFY(now.IsPlaying());
        QVERIFY(!mpris.PlayerProperties().value("CanSeek").toBool());
        mpris.Act(CNowPlaying::EAction::Pause);
        QTRY_VERIFY(m_pEngine->m_calls.contains(QStringLiteral("Stop")));
        QVERIFY(!m_pEngine->m_calls.contains(QStringLiteral("Pause")));

        m_pEngine->Open(m_context.Playback().Channel().m_strUrl);
        m_pEngine->Buffered(0, kSongs);
        QVERIFY(mpris.PlayerProperties().value("CanSeek").toBool());
        m_pEngine->m_calls.clear();
        mpris.Act(CNowPlaying::EAction::Pause);
        QTRY_COMPARE(m_pEngine->m_calls, QStringList{"Pause"});
        QCOMPARE(mpris.PlayerProperties().value("PlaybackStatus").toString(), QStringLiteral("Paused"));
        mpris.Act(CNowPlaying::EAction::PlayPause);
        QTRY_COMPARE(m_pEngine->m_calls, (QStringList{"Pause", "Resume"}));
        QCOMPARE(mpris.PlayerProperties().value("PlaybackStatus").toString(), QStringLiteral("Playing"));

        QSignalSpy seeked(&now, &CNowPlaying::Seeked);
        now.RequestSeek(-30);
        QTRY_COMPARE(m_pEngine->m_calls.last(), QStringLiteral("SeekBy -30"));
        m_pEngine->Buffered(30, kSongs);
        QCOMPARE(seeked.size(), 1);
        QCOMPARE(seeked.first().first().toLongLong(), qint64(970e6));
        now.RequestPosition(now.TrackId(), 150);
        now.RequestPosition(QStringLiteral("/com/palomer/vedrix/track/0"), 10); // an old track: nothing
        QTRY_COMPARE(m_pEngine->m_calls.last(), QStringLiteral("SeekToBuffer 150"));
        QCOMPARE(m_pEngine->m_calls.count(QStringLiteral("SeekToBuffer 10")), 0);
    }

    // The history window offers Save Song for a song of the playing channel that the buffer still
    // holds, saves it under the recording's name, and says when its start was missing.
    void historySavesBufferedSongs()
    {
        QTemporaryDir dir;
        CSongHistory history(dir.filePath(QStringLiteral("songs.jsonl")));
        history.Add(QStringLiteral("One"), QStringLiteral("Cut Short"));
        history.Add(QStringLiteral("One"), QStringLiteral("Long Gone"));
        history.Add(QStringLiteral("Two"), QStringLiteral("Whole"));
        history.Add(QStringLiteral("One"), QStringLiteral("Whole"));
        CSongHistoryWindow window(&history, nullptr);
        window.SetRecorder(m_pView->findChild<CStreamRecorder*>());
        QTreeWidget* list = window.List();
        auto savable = [&]
        {
            QStringList rows;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
            {
                list->setCurrentItem(list->topLevelItem(i));
                if (window.SaveSongButton()->isEnabled())
                    rows << list->topLevelItem(i)->text(1) + '/' + list->topLevelItem(i)->text(2);
            }
            return rows;
        };
        QCOMPARE(savable(), QStringList{});
        m_pEngine->Buffered(0, kSongs);
        QCOMPARE(savable(), (QStringList{"One/Whole", "One/Cut Short"}));

        list->setCurrentItem(list->topLevelItem(3)); // One - Cut Short, oldest
        m_pEngine->m_calls.clear();
        QTest::mouseClick(window.SaveSongButton(), Qt::LeftButton);
        const QString strPath = QDir(recording::Folder()).filePath(QStringLiteral("One - Cut Short.mp3"));
        QCOMPARE(m_pEngine->m_calls, QStringList{QStringLiteral("SaveSong 0 ") + strPath});
        QVERIFY2(m_context.Playback().StatusText().endsWith(
                     QStringLiteral(" | Saved from the start of the buffer: One - Cut Short.mp3")),
                 qPrintable(m_context.Playback().StatusText()));

        // The ribbon's Save Song takes the song heard now; a failure says why in a message.
        m_pEngine->m_strSaveError = QStringLiteral("No space left on device");
        m_actions.Trigger(ID_SAVE_SONG);
        QVERIFY(m_pEngine->m_calls.last().startsWith(QStringLiteral("SaveSong 2 ")));
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = m_pFrame->findChild<QMessageBox*>()) != nullptr);
        QVERIFY2(box->text().contains(QStringLiteral("No space left on device")), qPrintable(box->text()));
        delete box;

        // The page goes, and with it what could save.
        m_pFrame->ClosePage();
        QTRY_VERIFY(savable().isEmpty());
    }

private:
    CCommandActions m_actions;
    CAppContext m_context;
    CMainFrame* m_pFrame = nullptr;
    CSorvanaView* m_pView = nullptr;
    CFakeEngine* m_pEngine = nullptr;
};

int main(int argc, char** argv)
{
    // The recording folder is under the home folder: a private one.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    TestPlayerListenBack test;
    return QTest::qExec(&test, argc, argv);
}

#include "player_listenback.moc"
