// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's status text from the engine's events, and which addresses the player opens at all.
#include "playback/PlayerStatus.h"
#include "stations/StreamAddress.h"

#include <QtTest>

namespace
{
using Reason = CPlayerStatus::EndReason;
using Failure = CPlayerStatus::Failure;

// Runs a script of steps, one per string: "load ID", "refuse", "stop", "start ID", "restart",
// "ao 0|1", "vo 0|1", "aofail", "cache 0|1", "buffer N", "end ID eof|stop|error|redirect [failure]".
// Returns every text the status showed, in order (one entry per change notification).
QStringList Run(const QStringList& steps)
{
    CPlayerStatus status;
    QStringList seen;
    status.m_onChange = [&] { seen.append(status.Text()); };
    for (const QString& step : steps)
    {
        const QStringList w = step.split(' ');
        const qint64 id = w.size() > 1 ? w[1].toLongLong() : 0;
        if (w[0] == "load")
            status.LoadRequested(id);
        else if (w[0] == "refuse")
            status.LoadRefused("unsupported address");
        else if (w[0] == "stop")
            status.StopRequested();
        else if (w[0] == "start")
            status.FileStarted(id);
        else if (w[0] == "restart")
            status.PlaybackRestarted();
        else if (w[0] == "ao")
            status.AudioOutputChanged(id != 0);
        else if (w[0] == "vo")
            status.VideoOutputChanged(id != 0);
        else if (w[0] == "aofail")
            status.AudioOutputFailed();
        else if (w[0] == "cache")
            status.PausedForCacheChanged(id != 0);
        else if (w[0] == "buffer")
            status.BufferingChanged(int(id));
        else if (w[0] == "end")
        {
            const QString how = w.value(2);
            const Reason reason = how == "eof"        ? Reason::Eof
                                  : how == "stop"     ? Reason::Stopped
                                  : how == "redirect" ? Reason::Redirect
                                                      : Reason::Error;
            const Failure failure = w.value(3) == "open"     ? Failure::CannotOpen
                                    : w.value(3) == "audio"  ? Failure::AudioDevice
                                    : w.value(3) == "format" ? Failure::UnknownFormat
                                                             : Failure::Other;
            status.FileEnded(id, reason, failure, w.size() > 4 ? w.mid(4).join(' ') : QString());
        }
        else
            qFatal("unknown step %s", qPrintable(step));
    }
    return seen;
}
} // namespace

class TestPlayerStatus : public QObject
{
    Q_OBJECT
private slots:
    void statusTexts_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("seen");
        const QString connecting = "Connecting...";
        const QString playing = "Playing";
        const QString noAudio = "Error: the audio device could not be opened";
        const QString cannotOpen = "Error: cannot open the stream";

        QTest::newRow("sound starts")
            << QStringList{"load 1", "start 1", "restart", "ao 1"} << QStringList{connecting, playing};
        QTest::newRow("sound device already open")
            << QStringList{"ao 1", "load 1", "start 1", "restart"} << QStringList{connecting, playing};
        QTest::newRow("picture without sound device yet")
            << QStringList{"load 1", "start 1", "restart", "vo 1"} << QStringList{connecting, playing};
        QTest::newRow("engine restarts before the sound device fails: never playing")
            << QStringList{"load 1", "start 1", "restart", "aofail", "end 1 error audio"}
            << QStringList{connecting, noAudio};
        QTest::newRow("sound device fails while the picture plays")
            << QStringList{"load 1", "start 1", "vo 1", "restart", "aofail", "cache 1", "cache 0"}
            << QStringList{connecting, playing, noAudio};
        QTest::newRow("cannot open, with the engine's reason")
            << QStringList{"load 4", "start 4", "end 4 error open Connection refused"}
            << QStringList{connecting, cannotOpen + " (Connection refused)"};
        QTest::newRow("unknown format") << QStringList{"load 4", "start 4", "end 4 error format"}
                                        << QStringList{connecting, "Error: unsupported stream format"};
        QTest::newRow("end before any sound is an error")
            << QStringList{"load 1", "start 1", "end 1 eof"} << QStringList{connecting, cannotOpen};
        QTest::newRow("live stream drops") << QStringList{"ao 1", "load 1", "start 1", "restart", "end 1 eof"}
                                           << QStringList{connecting, playing, "Stopped: the stream ended"};
        QTest::newRow("refused address")
            << QStringList{"refuse"} << QStringList{"Error: unsupported address"};
        QTest::newRow("stop") << QStringList{"ao 1", "load 1", "start 1", "restart", "stop", "end 1 stop"}
                              << QStringList{connecting, playing, "Stopped"};
        QTest::newRow("stop before the file started; its late start changes nothing")
            << QStringList{"load 1", "stop", "start 1", "restart"} << QStringList{connecting, "Stopped"};
        QTest::newRow("the replaced stream's end does not overwrite the new one")
            << QStringList{"ao 1",   "load 1",     "start 1", "restart",
                           "load 2", "end 1 stop", "start 2", "restart"}
            << QStringList{connecting, playing, connecting, playing};
        QTest::newRow("replaced stream fails late: ignored")
            << QStringList{"ao 1", "load 1", "start 1", "load 2", "end 1 error open", "start 2", "restart"}
            << QStringList{connecting, playing};
        QTest::newRow("start of another entry than the requested one is ignored")
            << QStringList{"ao 1", "load 2", "start 1", "restart", "end 1 error open"}
            << QStringList{connecting};
        QTest::newRow("entry id unknown: the next start is ours")
            << QStringList{"ao 1", "load -1", "end 7 stop", "start 8", "restart"}
            << QStringList{connecting, playing};
        QTest::newRow("redirection is followed")
            << QStringList{"ao 1", "load 1", "start 1", "end 1 redirect", "start 2", "restart"}
            << QStringList{connecting, playing};
        QTest::newRow("next entry of a server's playlist after a failed one")
            << QStringList{"ao 1", "load 1", "start 1", "end 1 error open", "start 2", "restart"}
            << QStringList{connecting, cannotOpen, connecting, playing};
        QTest::newRow("underrun shows buffering, then playing again")
            << QStringList{"ao 1",      "load 1",    "start 1",   "restart", "cache 1",
                           "buffer 37", "buffer 37", "buffer 80", "cache 0"}
            << QStringList{connecting, playing, "Buffering: 0%", "Buffering: 37%", "Buffering: 80%", playing};
        QTest::newRow("cache state before playback is not shown")
            << QStringList{"load 1", "start 1", "cache 1", "buffer 50"} << QStringList{connecting};
        QTest::newRow("events after the end are ignored")
            << QStringList{"ao 1", "load 1", "start 1", "restart", "stop", "restart", "cache 1", "buffer 9"}
            << QStringList{connecting, playing, "Stopped"};
    }

    void statusTexts()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, seen);
        QCOMPARE(Run(steps), seen);
    }

    // mpv may report the sound device's failure before or after playback starts: either way the stream
    // never plays (the engine would otherwise retry it as a dropped stream).
    void soundDeviceFailureIsNeverPlaying()
    {
        for (const bool bFailsFirst : {true, false})
        {
            CPlayerStatus status;
            status.LoadRequested(1);
            status.FileStarted(1);
            if (bFailsFirst)
                status.AudioOutputFailed();
            status.PlaybackRestarted();
            if (!bFailsFirst)
                status.AudioOutputFailed();
            QVERIFY(!status.IsPlaying());
            QCOMPARE(status.State(), EPlayerState::Error);
        }
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("playable"); // from a list, the directory or a playlist
        QTest::addColumn<bool>("typed");    // typed in by the user
        for (const char* ok : {"http://radio.example/live", "HTTPS://radio.example:8443/a.m3u8",
                               "mms://media.example/x", "mmsh://media.example/x", "rtsp://192.0.2.7/live",
                               "rtmp://tv.example/app/key", "rtmps://tv.example/app", "srt://192.0.2.1:9000",
                               "srt://192.0.2.1:9000?mode=caller&latency=200", "  http://padded.example/  ",
                               "http://[2001:db8::1]:8000/stream", "http://user:pw@radio.example/"})
            QTest::newRow(ok) << QString(ok) << true << true;
        // Each of these binds a port of this machine: only the user may ask for that.
        for (const char* listener :
             {"udp://@:1234", "rtp://@:5004", "udp://@239.1.1.1:1234", "rtp://239.1.1.1:5004",
              "udp://239.255.0.1:1234", "udp://192.0.2.1:1234", "UDP://radio.example:1234",
              "srt://0.0.0.0:9999?mode=listener", "srt://192.0.2.1:9999?MODE=Listener",
              "srt://192.0.2.1:9999?mode=rendezvous", "srt://192.0.2.1:9999?latency=20&mode=listener",
              "srt://192.0.2.1:9999?mode=caller&mode=listener", "rtmp://@tv.example/app"})
            QTest::newRow(qPrintable(QStringLiteral("listener %1").arg(listener)))
                << QString(listener) << false << true;
        for (const char* bad : {"",
                                "   ",
                                "file:///etc/passwd",
                                "FILE:/etc/passwd",
                                "/etc/passwd",
                                "passwd",
                                "../x.mp3",
                                "javascript:alert(1)",
                                "data:audio/mp3;base64,AAAA",
                                "ftp://files.example/a.mp3",
                                "av://lavfi:sine",
                                "lavfi://sine",
                                "memory://abc",
                                "--script=/tmp/x.lua",
                                "http://",
                                "http:///etc/passwd",
                                "udp://@",
                                "srt://@:9999",
                                "smb://host/share",
                                "ytdl://abc",
                                "edl://a;b",
                                "http://host/a\nb",
                                "fd://0"})
            QTest::newRow(qPrintable(QStringLiteral("refuse %1").arg(QString(bad).replace('\n', "\\n"))))
                << QString(bad) << false << false;
    }

    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, playable);
        QFETCH(bool, typed);
        QCOMPARE(CStreamAddress::IsPlayable(address), playable);
        QCOMPARE(CStreamAddress::IsPlayable(address, CStreamAddress::ESource::Outside), playable);
        QCOMPARE(CStreamAddress::IsPlayable(address, CStreamAddress::ESource::Typed), typed);
    }
};

QTEST_GUILESS_MAIN(TestPlayerStatus)
#include "player_status.moc"
