// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real media player under Xvfb: libmpv plays Icecast tone streams and a live HLS channel into a
// PulseAudio null sink, and the sink's monitor tells which tone is audible. The servers come from
// tests/e2e/rig_streams.py, driven over a pipe.
#include "TestSupport.h"
#include "listenback/RingFile.h"
#include "playback/MpvEngine.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackService.h"
#include "player/MpvRenderWidget.h"
#include "player/MpvVideoWindow.h"
#include "player/PlayerControlBar.h"
#include "player/WMPPlayer4.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
constexpr int kStartTimeoutMs = 30000;
// What the sound server still holds when a stream stops (a fraction of a second) may reach the sink
// late on a busy machine; a stream that goes on playing stays heard for longer than this.
constexpr int kSilenceTimeoutMs = 10000;
constexpr double kLowTone = 440;
constexpr double kHighTone = 1320;
// The rig's radio streams: MP3 at 64 kbit/s.
constexpr double kRadioBytesPerSecond = 64000 / 8;

// Every status text the player shows, in order.
struct CStatusLog
{
    QStringList m_seen;
    explicit CStatusLog(CWMPPlayer4& player)
    {
        QObject::connect(&player, &CWMPPlayer4::StatusChange, &player,
                         [this, &player] { m_seen.append(player.get_status()); });
    }
    QString Text() const { return m_seen.join(" | "); }
};
} // namespace

class TestPlayerMpv : public QObject
{
    Q_OBJECT

    QProcess m_rig;
    QJsonObject m_servers;

    QJsonObject ReadReply(int nTimeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_rig.canReadLine())
        {
            if (m_rig.state() != QProcess::Running || timer.elapsed() > nTimeoutMs)
                return {};
            m_rig.waitForReadyRead(100);
            QCoreApplication::processEvents();
        }
        return QJsonDocument::fromJson(m_rig.readLine()).object();
    }

    QJsonObject Rig(const QString& strCommand)
    {
        m_rig.write(strCommand.toUtf8() + '\n');
        return ReadReply(60000);
    }

    // What the null sink's monitor hears for a while.
    QJsonObject Listen(double dSeconds = 1.5) { return Rig(QStringLiteral("record %1").arg(dSeconds)); }

    // The last thing Hears() heard, for the failure message.
    QJsonObject m_heard;
    QByteArray Heard() const { return QJsonDocument(m_heard).toJson(QJsonDocument::Compact); }

    // Listens again and again until what the sink hears passes test, for up to nTimeoutMs; whether it
    // did. Each listening is taken once (QTRY_* would evaluate it up to four times).
    bool Hears(const std::function<bool(const QJsonObject&)>& test, int nTimeoutMs, double dSeconds = 1.0)
    {
        return testsupport::WaitFor(
            [&]
            {
                m_heard = Listen(dSeconds);
                return test(m_heard);
            },
            nTimeoutMs);
    }
    static bool Silent(const QJsonObject& heard) { return heard["silent"].toBool(); }
    static bool Sound(const QJsonObject& heard) { return heard.contains("silent") && !Silent(heard); }
    static auto Tone(double dFrequency, double dTolerance)
    {
        return [=](const QJsonObject& heard)
        { return qAbs(heard["frequency"].toDouble() - dFrequency) < dTolerance; };
    }
    static auto Loudness(const std::function<bool(double)>& test)
    {
        return [=](const QJsonObject& heard) { return test(heard["rms"].toDouble()); };
    }

    QString Radio(const char* mount) const { return m_servers["radio"].toObject()[mount].toString(); }

    static QStringList RingFiles() { return QDir(CRingFile::DefaultFolder()).entryList(QDir::Files); }

    static int SongIndex(const CPlaybackEngine& engine, const QString& strTitle)
    {
        const QList<SBufferedSong> songs = engine.BufferedSongs();
        for (int i = songs.size() - 1; i >= 0; --i)
            if (songs[i].strTitle == strTitle)
                return i;
        return -1;
    }

private slots:
    void initTestCase()
    {
        const QString strRig = QStringLiteral(VEDRIX_TEST_SOURCE_DIR "/tests/e2e/rig_streams.py");
        QVERIFY(!strRig.isEmpty());
        m_rig.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_rig.start("python3", {strRig, "serve", "--pulse", "--radio", "/low:440:First title", "--radio",
                                "/high:1320", "--hls", "--vod", "20", "--trap"});
        QVERIFY(m_rig.waitForStarted());
        m_servers = ReadReply(120000);
        QVERIFY2(!m_servers.isEmpty(), "the stream rig did not start");
        qputenv("PULSE_SERVER", m_servers["pulse_server"].toString().toUtf8());
    }

    void cleanupTestCase()
    {
        if (m_rig.state() == QProcess::Running)
        {
            m_rig.write("quit\n");
            if (!m_rig.waitForFinished(20000))
                m_rig.kill();
        }
    }

    void playsTheToneOfTheChosenStream()
    {
        CWMPPlayer4 player;
        player.resize(480, 270);
        player.SetDisplayName("Low Tone FM");
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        QCOMPARE(player.ControlBar()->Volume(), 50);
        int nChanges = 0;
        QObject::connect(&player, &CWMPPlayer4::StatusChange, [&nChanges] { ++nChanges; });

        player.put_URL(Radio("/low"));
        QCOMPARE(player.get_status(), QStringLiteral("Connecting..."));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(nChanges >= 2);
        QJsonObject heard = Listen();
        QVERIFY2(qAbs(heard["frequency"].toDouble() - kLowTone) < 15,
                 qPrintable(QJsonDocument(heard).toJson()));
        QTRY_COMPARE_WITH_TIMEOUT(player.StreamTitle(), QStringLiteral("First title"), kStartTimeoutMs);
        QVERIFY(!player.HasVideo());
        // An audio-only channel paints its name and status, not a black box.
        // Radio needs no picture: no video window, and so no OpenGL, is made for it.
        QVERIFY(!player.findChild<CMpvRenderWidget*>()->HasVideoWindow());
        const QImage picture = player.findChild<CMpvRenderWidget*>()->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 4)
            for (int x = 0; x < picture.width(); x += 4)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.size() > 20);

        QCOMPARE(Rig("title /low Second title")["ok"].toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(player.StreamTitle(), QStringLiteral("Second title"), kStartTimeoutMs);

        // Another address replaces the first; the same address again restarts it.
        // The old channel fades out over the first moments of the new one.
        player.put_URL(Radio("/high"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY2(Hears(Tone(kHighTone, 30), kStartTimeoutMs), Heard());
        const CStatusLog seen(player);
        player.put_URL(Radio("/high"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(seen.m_seen.contains("Connecting..."));

        // Stop silences it and keeps the address: Play in the control bar starts it again.
        player.get_controls().stop();
        QCOMPARE(player.get_status(), QStringLiteral("Stopped"));
        QVERIFY2(Hears(Silent, kSilenceTimeoutMs), Heard());
        QCOMPARE(player.URL(), Radio("/high"));
        player.put_URL(Radio("/low"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
    }

    // A live stream plays from its rewind buffer on disk: its titles come from the buffer as playback
    // passes them; a pause holds the sound while the stream goes on arriving, and playback goes on
    // where it paused, as far behind live as the pause was long; Previous Song goes back song by
    // song; a song is saved from the buffer as it came; Live ends the delay; the buffer's file goes
    // with the channel.
    void liveStreamPlaysFromItsRewindBuffer()
    {
        QVERIFY(RingFiles().isEmpty());
        CWMPPlayer4 player;
        player.show();
        CPlaybackEngine& engine = player.Engine();
        QCOMPARE(Rig("title /low Song A")["ok"].toBool(), true);
        player.put_URL(Radio("/low"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(engine.Buffer().bActive);
        QCOMPARE(RingFiles().size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(engine.Title(), QStringLiteral("Song A"), kStartTimeoutMs);
        // Song A plays a while before the next title: long enough to count as a song of its own.
        QTRY_VERIFY_WITH_TIMEOUT(engine.Buffer().dLive > engine.BufferedSongs().last().dStart + 6,
                                 kStartTimeoutMs);
        QCOMPARE(Rig("title /low Song B")["ok"].toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(engine.Title(), QStringLiteral("Song B"), kStartTimeoutMs);
        const int nSongA = SongIndex(engine, "Song A");
        QCOMPARE(SongIndex(engine, "Song B"), nSongA + 1);
        QCOMPARE(engine.Buffer().dBehind, 0.0);

        // Pause: silence, and the stream goes on into the buffer.
        const double dLiveAtPause = engine.Buffer().dLive;
        engine.Pause();
        QVERIFY(engine.IsPaused());
        QCOMPARE(player.get_status(), QStringLiteral("Paused"));
        QVERIFY2(Hears(Silent, kStartTimeoutMs), Heard());
        QTRY_VERIFY_WITH_TIMEOUT(engine.Buffer().dLive > dLiveAtPause + 5, kStartTimeoutMs);
        const SListenBuffer paused = engine.Buffer();
        QVERIFY2(qAbs(paused.dBehind - (paused.dLive - dLiveAtPause)) < 1,
                 qPrintable(
                     QString("behind %1 s after %2 s").arg(paused.dBehind).arg(paused.dLive - dLiveAtPause)));
        engine.Resume();
        QVERIFY(!engine.IsPaused());
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY2(Hears(Tone(kLowTone, 15), kStartTimeoutMs), Heard());
        QVERIFY2(engine.Buffer().dBehind > paused.dBehind - 1,
                 qPrintable(QString::number(engine.Buffer().dBehind)));

        // Previous Song: to the start of this song once it has played a while, then to the one before.
        const QList<SBufferedSong> songs = engine.BufferedSongs();
        const SBufferedSong songA = songs[nSongA];
        const SBufferedSong songB = songs[nSongA + 1];
        QTRY_VERIFY_WITH_TIMEOUT(engine.Buffer().dPlaying > songB.dStart + 4, kStartTimeoutMs);
        QVERIFY(engine.PreviousSong());
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(engine.Buffer().dPlaying - songB.dStart) < 1.5, kStartTimeoutMs);
        QCOMPARE(engine.Title(), QStringLiteral("Song B"));
        QVERIFY(engine.PreviousSong());
        QTRY_COMPARE_WITH_TIMEOUT(engine.Title(), QStringLiteral("Song A"), kStartTimeoutMs);
        QVERIFY2(
            qAbs(engine.Buffer().dPlaying - songA.dStart) < 1.5,
            qPrintable(
                QString("at %1 s, the song began at %2 s").arg(engine.Buffer().dPlaying).arg(songA.dStart)));
        QVERIFY2(Hears(Tone(kLowTone, 15), kStartTimeoutMs), Heard());
        QCOMPARE(player.get_status(), QStringLiteral("Playing"));

        // Save Song: the song's bytes as they came, from a frame's start, as long as the song.
        QTemporaryDir folder;
        const QString strSaved = folder.filePath("Song A.mp3");
        QCOMPARE(engine.SaveSong(nSongA, strSaved), QString());
        QFile saved(strSaved);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray head = saved.read(2);
        QVERIFY(head.size() == 2 && quint8(head[0]) == 0xFF && (quint8(head[1]) & 0xE0) == 0xE0);
        QVERIFY2(qAbs(saved.size() / kRadioBytesPerSecond - (songA.dEnd - songA.dStart)) < 1,
                 qPrintable(QString("%1 bytes for %2 s").arg(saved.size()).arg(songA.dEnd - songA.dStart)));

        // Live: no longer behind, and the newest title again.
        engine.GoLive();
        QTRY_COMPARE_WITH_TIMEOUT(engine.Title(), QStringLiteral("Song B"), kStartTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(engine.Buffer().dBehind, 0.0, kStartTimeoutMs);

        // Another channel has a buffer of its own; Stop ends it, and its file goes.
        const QStringList first = RingFiles();
        player.put_URL(Radio("/high"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(engine.Buffer().bActive);
        QTRY_VERIFY_WITH_TIMEOUT(RingFiles().size() == 1 && RingFiles() != first, kStartTimeoutMs);
        player.get_controls().stop();
        QVERIFY(!engine.Buffer().bActive);
        QTRY_VERIFY_WITH_TIMEOUT(RingFiles().isEmpty(), kStartTimeoutMs);
    }

    void fadeQuietensWithoutTouchingTheVolume()
    {
        CWMPPlayer4 player;
        QSignalSpy volumeChanges(&player, &CWMPPlayer4::VolumeChange);
        player.put_URL(Radio("/low"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        const double dHalf = Listen()["rms"].toDouble();
        QVERIFY(dHalf > 0.01);

        // The sleep timer's fade: silent at 0, the same level again at 1, and the volume stays 50.
        player.SetFade(0.0);
        QVERIFY2(Hears(Silent, 10000, 0.8), Heard());
        QCOMPARE(player.Volume(), 50);
        QCOMPARE(player.ControlBar()->Volume(), 50);
        QCOMPARE(volumeChanges.count(), 0);
        player.SetFade(1.0);
        QVERIFY2(Hears(Loudness([dHalf](double d) { return qAbs(d - dHalf) < dHalf * 0.2; }), 10000, 0.8),
                 Heard());

        // The volume itself: louder, told once, shown on the bar.
        player.SetVolume(100);
        QCOMPARE(volumeChanges.count(), 1);
        QCOMPARE(player.ControlBar()->Volume(), 100);
        QVERIFY2(Hears(Loudness([dHalf](double d) { return d > dHalf * 3; }), 10000, 0.8), Heard());
        player.SetMuted(true);
        QVERIFY2(Hears(Silent, 10000, 0.8), Heard());
        QCOMPARE(volumeChanges.count(), 2);
    }

    // One player meets every address in turn: what played before stops at the first, and none of them
    // opens anything.
    void refusesAddressesThatAreNotNetworkStreams()
    {
        const QStringList addresses = {
            "file:///etc/passwd",  "/etc/passwd",     "passwd", "javascript:alert(1)",
            "--script=/tmp/x.lua", "av://lavfi:sine", ""};
        CWMPPlayer4 player;
        player.show();
        player.put_URL(Radio("/low"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);

        const CStatusLog seen(player);
        for (const QString& strAddress : addresses)
        {
            player.put_URL(strAddress);
            QVERIFY2(player.get_status().startsWith("Error: "),
                     qPrintable(strAddress + " -> " + player.get_status()));
        }
        QVERIFY2(Hears(Silent, kSilenceTimeoutMs), Heard());
        QVERIFY2(!seen.m_seen.isEmpty(), "the refusal was not shown");
        for (const QString& strStatus : seen.m_seen)
            QVERIFY2(strStatus.startsWith("Error: "), qPrintable(seen.Text()));
    }

    // A list from a server must not lead the player onto the local disk, neither through a playlist
    // nor through HLS segments.
    void networkPlaylistsDoNotOpenLocalFiles_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("m3u") << m_servers["trap_m3u"].toString();
        QTest::newRow("hls") << m_servers["trap_hls"].toString();
    }

    void networkPlaylistsDoNotOpenLocalFiles()
    {
        QFETCH(QString, address);
        CWMPPlayer4 player;
        player.show();
        const CStatusLog seen(player);
        player.put_URL(address);
        QTRY_VERIFY_WITH_TIMEOUT(player.get_status().startsWith("Error: "), kStartTimeoutMs);
        QVERIFY2(Hears(Silent, kSilenceTimeoutMs), Heard());
        QVERIFY2(!seen.m_seen.contains("Playing"), qPrintable(seen.Text()));
    }

    void unreachableStreamIsAnErrorNeverPlaying_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("nothing listens") << m_servers["dead"].toString();
        QTest::newRow("no such mount") << Radio("/low") + "-missing";
        QTest::newRow("unresolvable host") << "http://no-such-host.invalid/stream";
    }

    void unreachableStreamIsAnErrorNeverPlaying()
    {
        QFETCH(QString, address);
        CWMPPlayer4 player;
        player.show();
        const CStatusLog seen(player);
        player.put_URL(address);
        QTRY_VERIFY_WITH_TIMEOUT(player.get_status().startsWith("Error: "), kStartTimeoutMs);
        QVERIFY2(!seen.m_seen.contains("Playing"), qPrintable(seen.Text()));
    }

    void missingSoundServerIsAnError()
    {
        const QByteArray server = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
        // The cases after this one need the sound server back, whatever happens here.
        const auto restore = qScopeGuard([&server] { qputenv("PULSE_SERVER", server); });
        CWMPPlayer4 player;
        player.show();
        const CStatusLog seen(player);
        player.put_URL(Radio("/low"));
        QTRY_VERIFY_WITH_TIMEOUT(player.get_status().startsWith("Error: "), kStartTimeoutMs);
        QVERIFY2(player.get_status().contains("audio device"), qPrintable(player.get_status()));
        // Not a dropped stream to reconnect.
        QVERIFY2(!player.IsPlaying(), qPrintable(seen.Text()));
        for (const QString& strStatus : seen.m_seen)
            QVERIFY2(strStatus == "Connecting..." || strStatus.startsWith("Error: "),
                     qPrintable(seen.Text()));
    }

    void droppedStreamReconnects()
    {
        CWMPPlayer4 player;
        player.show();
        player.put_URL(Radio("/high"));
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QCOMPARE(Rig("kill /high")["ok"].toBool(), true);
        QTRY_VERIFY_WITH_TIMEOUT(player.get_status().startsWith("Reconnecting... (attempt "),
                                 kStartTimeoutMs);
        // The sound the server sent ahead may still play out; then nothing plays.
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), kStartTimeoutMs);
        QVERIFY(player.get_status().startsWith("Reconnecting... (attempt "));
        QVERIFY2(Hears(Silent, kSilenceTimeoutMs), Heard());
        QCOMPARE(Rig("start /high")["ok"].toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
    }

    // The player's page goes when another category is shown: the engine stays with the service and
    // keeps what the user set, its core (and the sound) goes with its last user, the device menu's
    // list comes from the same engine, and a new page plays on it.
    void engineOutlivesThePlayerWidget()
    {
        CPlaybackService service;
        QString strShown;
        QObject::connect(&service, &CPlaybackService::StatusTextChanged,
                         [&strShown](const QString& strText) { strShown = strText; });
        {
            CWMPPlayer4 player(service, nullptr);
            player.show();
            QVERIFY(QTest::qWaitForWindowExposed(&player));
            player.SetVolume(80);
            player.put_URL(Radio("/low"));
            QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
            QTRY_VERIFY_WITH_TIMEOUT(!player.StreamTitle().isEmpty(), kStartTimeoutMs);
            QCOMPARE(strShown, QStringLiteral("Playing: ") + player.StreamTitle());
            QVERIFY2(Hears(Sound, kStartTimeoutMs), Heard());
        }
        CPlaybackEngine* pEngine = service.Engine();
        QVERIFY(pEngine);
        QVERIFY(!pEngine->IsLoaded());
        QVERIFY2(Hears(Silent, kStartTimeoutMs), Heard());
        QCOMPARE(pEngine->Volume(), 80);
        QVERIFY(pEngine->Url().isEmpty());

        pEngine->AddUser();
        QVERIFY(!pEngine->Devices().isEmpty());
        QVERIFY(pEngine->IsLoaded());
        pEngine->RemoveUser();
        QVERIFY(!pEngine->IsLoaded());

        CWMPPlayer4 again(service, nullptr);
        QCOMPARE(again.ControlBar()->Volume(), 80);
        again.put_URL(Radio("/high"));
        QTRY_COMPARE_WITH_TIMEOUT(again.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        const QJsonObject heard = Listen();
        QVERIFY2(qAbs(heard["frequency"].toDouble() - kHighTone) < 30,
                 qPrintable(QJsonDocument(heard).toJson()));
    }

    void liveTvPaintsMovingPictures()
    {
        CWMPPlayer4 player;
        player.resize(480, 300);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        player.put_URL(m_servers["tv"].toString());
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        // A playlist of segments is no continuous stream: mpv plays it without a rewind buffer.
        QVERIFY(!player.Engine().Buffer().bActive);
        QTRY_VERIFY_WITH_TIMEOUT(player.HasVideo(), kStartTimeoutMs);
        CMpvVideoWindow* pPicture = player.findChild<CMpvRenderWidget*>()->VideoWindow();
        QVERIFY(pPicture);
        const QImage first = pPicture->grabFramebuffer();
        QVERIFY(!first.isNull());
        QTRY_VERIFY_WITH_TIMEOUT(pPicture->grabFramebuffer() != first, kStartTimeoutMs);
        // The picture may come before the sound has reached the sink.
        QVERIFY2(Hears(Sound, kStartTimeoutMs), Heard() + " while " + player.get_status().toUtf8());
    }

    void positionBarOnlyForSeekableStreams()
    {
        CWMPPlayer4 player;
        player.resize(480, 300);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        QSlider* pPosition = nullptr;
        for (QSlider* pSlider : player.ControlBar()->findChildren<QSlider*>())
            if (pSlider->accessibleName() == "Position")
                pPosition = pSlider;
        QVERIFY(pPosition);

        // A live stream without a rewind buffer (HLS) cannot move; one with a buffer moves in it.
        player.put_URL(m_servers["tv"].toString());
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(!pPosition->isEnabled());
        player.put_URL(Radio("/low"));
        QTRY_VERIFY_WITH_TIMEOUT(pPosition->isEnabled(), kStartTimeoutMs);

        player.put_URL(m_servers["vod"].toString());
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(pPosition->isEnabled(), kStartTimeoutMs);
        // A click three quarters along the bar jumps there (not to the very end: a recording that
        // ends at once after the jump would leave no moment to see the position in).
        QTest::mouseClick(pPosition, Qt::LeftButton, {},
                          QPoint(pPosition->width() * 3 / 4, pPosition->height() / 2));
        QTRY_VERIFY_WITH_TIMEOUT(pPosition->value() > pPosition->maximum() / 2, kStartTimeoutMs);

        player.get_controls().stop();
        QVERIFY(!pPosition->isEnabled());
    }

    void tvStartedWhileHiddenShowsItsPictureOnceShown()
    {
        CWMPPlayer4 player;
        player.resize(480, 300);
        player.put_URL(m_servers["tv"].toString());
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(!player.HasVideo());
        player.show();
        QTRY_VERIFY_WITH_TIMEOUT(player.HasVideo(), kStartTimeoutMs);
        // Taking up the picture track may wait a moment for the cache on a busy machine ("Buffering");
        // the stream plays on with its picture.
        QTRY_COMPARE_WITH_TIMEOUT(player.get_status(), QStringLiteral("Playing"), kStartTimeoutMs);
        QVERIFY(player.HasVideo());
    }
};

QTEST_MAIN(TestPlayerMpv)
#include "player_mpv.moc"
