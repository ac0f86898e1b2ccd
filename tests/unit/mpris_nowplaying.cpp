// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the desktop is told about the channel that plays and what its media controls do: the track's
// metadata, the status text with the stream's title, the command each media-control request posts
// (a live stream pauses by stopping, a buffered one pauses), what it hears of moves in the rewind
// buffer, and when a song notification is due.
#include "player/ChannelPlayer.h"
#include "playback/NowPlaying.h"
#include "playback/PlayerStatus.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using EAction = CNowPlaying::EAction;
Q_DECLARE_METATYPE(EAction)

class TestNowPlaying : public QObject
{
    Q_OBJECT
private slots:
    void metadata_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expectedTitle");
        QTest::newRow("stream title") << "Artist - Song"
                                      << "Artist - Song";
        QTest::newRow("no title: the channel's name") << ""
                                                      << "Radio One";
    }
    void metadata()
    {
        QFETCH(QString, title);
        QFETCH(QString, expectedTitle);
        CNowPlaying now;
        QVERIFY(now.Metadata().isEmpty());
        now.OpenChannel(QStringLiteral("Radio One"), QStringLiteral("http://127.0.0.1/one"));
        now.SetStreamTitle(title);
        const QVariantMap metadata = now.Metadata();
        QCOMPARE(metadata.value("xesam:title").toString(), expectedTitle);
        QCOMPARE(metadata.value("xesam:artist").toStringList(), QStringList{"Radio One"});
        QCOMPARE(metadata.value("xesam:url").toString(), QStringLiteral("http://127.0.0.1/one"));
        // A D-Bus object path, outside /org/mpris which the interface keeps for itself.
        const QString track = metadata.value("mpris:trackid").toString();
        QVERIFY2(QRegularExpression("^(/[A-Za-z0-9_]+)+$").match(track).hasMatch(), qPrintable(track));
        QVERIFY(!track.startsWith("/org/mpris"));
    }

    void eachChannelOpenedIsANewTrack()
    {
        CNowPlaying now;
        now.OpenChannel("One", "http://a/1");
        const QString first = now.TrackId();
        now.OpenChannel("Two", "http://a/2");
        QVERIFY(now.TrackId() != first);
        now.Reset();
        QVERIFY(now.Metadata().isEmpty());
        QCOMPARE(now.PlaybackStatus(), QStringLiteral("Stopped"));
        QVERIFY(!now.IsPlayerPresent());
    }

    void statusText_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        const QString playing = CPlayerStatus::kPlaying;
        QTest::newRow("playing with a title") << playing << "Song"
                                              << "Playing: Song";
        QTest::newRow("playing without one") << playing << ""
                                             << "Playing";
        QTest::newRow("buffering keeps its text") << CPlayerStatus::Buffering(40) << "Song"
                                                  << "Buffering: 40%";
        QTest::newRow("connecting") << CPlayerStatus::kConnecting << "Song"
                                    << "Connecting...";
        QTest::newRow("error") << CPlayerStatus::Error("cannot open the stream") << "Song"
                               << "Error: cannot open the stream";
    }
    void statusText()
    {
        QFETCH(QString, status);
        QFETCH(QString, title);
        QFETCH(QString, expected);
        const EPlayerState state = status == QLatin1String("Playing") ? EPlayerState::Playing : EPlayerState::Connecting;
        QCOMPARE(CNowPlaying::StatusText(state, status, title), expected);
    }

    void commandFor_data()
    {
        QTest::addColumn<EAction>("action");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("buffered"); // plays from its rewind buffer
        QTest::addColumn<bool>("paused");
        QTest::addColumn<uint>("command");
        QTest::newRow("play while stopped") << EAction::Play << false << false << false << ID_PLAY;
        QTest::newRow("play while playing: nothing") << EAction::Play << true << false << false << 0u;
        QTest::newRow("pause while playing stops") << EAction::Pause << true << false << false << ID_STOP;
        QTest::newRow("pause while stopped: nothing") << EAction::Pause << false << false << false << 0u;
        QTest::newRow("play-pause while playing stops")
            << EAction::PlayPause << true << false << false << ID_STOP;
        QTest::newRow("play-pause while stopped plays")
            << EAction::PlayPause << false << false << false << ID_PLAY;
        QTest::newRow("stop") << EAction::Stop << true << false << false << ID_STOP;
        QTest::newRow("next") << EAction::Next << false << false << false << ID_PLAY_NEXT;
        QTest::newRow("previous") << EAction::Previous << true << false << false << ID_PLAY_PREVIOUS;
        QTest::newRow("buffered: pause pauses") << EAction::Pause << true << true << false << ID_PAUSE;
        QTest::newRow("buffered: play-pause pauses")
            << EAction::PlayPause << true << true << false << ID_PAUSE;
        // The engine may or may not count a paused stream as playing: the pause decides.
        for (bool playing : {false, true})
        {
            const char* tag = playing ? ", playing" : ", not playing";
            QTest::addRow("paused: play goes on%s", tag)
                << EAction::Play << playing << true << true << ID_PLAY;
            QTest::addRow("paused: play-pause goes on%s", tag)
                << EAction::PlayPause << playing << true << true << ID_PLAY;
            QTest::addRow("paused: pause does nothing%s", tag)
                << EAction::Pause << playing << true << true << 0u;
            QTest::addRow("paused: stop stops%s", tag) << EAction::Stop << playing << true << true << ID_STOP;
        }
        QTest::newRow("buffered: next channel") << EAction::Next << true << true << false << ID_PLAY_NEXT;
    }
    void commandFor()
    {
        QFETCH(EAction, action);
        QFETCH(bool, playing);
        QFETCH(bool, buffered);
        QFETCH(bool, paused);
        QFETCH(uint, command);
        QCOMPARE(CNowPlaying::CommandFor(action, playing, buffered, paused), command);
    }

    // The desktop hears of a move in the buffer (a seek, Live, a jump to a song, also while paused),
    // never of the time passing while the stream plays or pauses; its status says "Paused".
    void listenBackMoves()
    {
        CNowPlaying now;
        now.OpenChannel("One", "http://a/1");
        now.SetPlaying(true);
        QSignalSpy seeked(&now, &CNowPlaying::Seeked);
        QSignalSpy seeks(&now, &CNowPlaying::SeekRequested);
        now.RequestSeek(-10); // no buffer: nothing to move in
        QCOMPARE(now.PositionMicroseconds(), Q_INT64_C(0));
        now.SetListenBack(true, false, 100, 0);
        now.SetListenBack(true, false, 100.4, 0.3);
        now.SetListenBack(true, true, 100.4, 0.3);
        QCOMPARE(now.PlaybackStatus(), QStringLiteral("Paused"));
        now.SetListenBack(true, true, 100.4, 30);
        now.SetListenBack(true, false, 100.4, 30);
        now.SetListenBack(true, false, 130, 30.2);
        QCOMPARE(now.PlaybackStatus(), QStringLiteral("Playing"));
        QCOMPARE(seeked.size(), 0);
        now.SetListenBack(true, false, 120, 40); // back 10 s
        now.SetListenBack(true, false, 160, 0);  // live
        now.SetListenBack(true, true, 160, 0);
        now.SetListenBack(true, true, 60, 105); // a song back while paused
        QCOMPARE(seeked.size(), 3);
        QCOMPARE(seeked[0].first().toLongLong(), Q_INT64_C(120000000));
        QCOMPARE(seeked[1].first().toLongLong(), Q_INT64_C(160000000));
        QCOMPARE(seeked[2].first().toLongLong(), Q_INT64_C(60000000));
        QCOMPARE(now.PositionMicroseconds(), Q_INT64_C(60000000));

        QSignalSpy positions(&now, &CNowPlaying::PositionRequested);
        now.RequestSeek(-10);
        now.RequestPosition("/com/palomer/vedrix/track/999", 5); // not the current track
        now.RequestPosition(now.TrackId(), 5);
        QCOMPARE(seeks.size(), 1);
        QCOMPARE(seeks[0].first().toDouble(), -10.0);
        QCOMPARE(positions.size(), 1);
        QCOMPARE(positions[0].first().toDouble(), 5.0);

        // The stream ends: no pause, no position, and no move to tell.
        now.SetListenBack(false, false, 0, 0);
        QCOMPARE(seeked.size(), 3);
        QCOMPARE(now.PlaybackStatus(), QStringLiteral("Playing"));
        QCOMPARE(now.PositionMicroseconds(), Q_INT64_C(0));
    }

    // A notification is due for every new title of a channel, including the same song heard again
    // after the channel was opened anew, and never for a title that went away.
    void songChanges()
    {
        CNowPlaying now;
        QSignalSpy songs(&now, &CNowPlaying::SongChanged);
        now.OpenChannel("One", "http://a/1");
        now.SetStreamTitle("First");
        now.SetStreamTitle("First");
        now.SetStreamTitle("");
        now.SetStreamTitle("Second");
        now.OpenChannel("One", "http://a/1");
        now.SetStreamTitle("Second");
        QCOMPARE(songs.size(), 3);
        QCOMPARE(songs[0], (QVariantList{"One", "First"}));
        QCOMPARE(songs[1], (QVariantList{"One", "Second"}));
        QCOMPARE(songs[2], (QVariantList{"One", "Second"}));
    }

    void changedOnlyWhenSomethingChanges()
    {
        CNowPlaying now;
        QSignalSpy changed(&now, &CNowPlaying::Changed);
        now.SetPlayerPresent(true);
        now.SetPlayerPresent(true);
        now.SetPlaying(true);
        now.SetPlaying(true);
        now.SetStreamTitle("");
        QCOMPARE(changed.size(), 2);
        QCOMPARE(now.PlaybackStatus(), QStringLiteral("Playing"));
    }
};

QTEST_GUILESS_MAIN(TestNowPlaying)
#include "mpris_nowplaying.moc"
