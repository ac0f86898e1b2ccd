// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Recording of the playing radio stream into the user's music folder (Music/Vedrix): the stream's
// own bytes through libmpv's stream-record, one file per song title when the stream sends titles,
// named "<channel> - <title>.<ext>". The Record command starts and stops it; another channel, Stop or
// a dropped stream end it; a folder that cannot be written or a full disk end it with a message
// while the stream plays on. Streams with a picture are not recorded (the command is off for them).
// Save Song writes a song that the rewind buffer still holds into the same folder, under the same
// name, as it came. Lives as long as the player view.
#include "base/Commands.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

class CCommandActions;
class CPlaybackEngine;
class CPlaybackService;
class QWidget;

namespace recording
{
// The file extension for the stream's sound codec: the container that holds it as it came.
QString ExtensionFor(const QString& strCodec);
// "<channel> - <title>.<ext>"; without a title the time stands in for it. Characters that a file
// name cannot hold (on this system or a USB stick's) become "_".
QString FileName(const QString& strChannel, const QString& strTitle, const QString& strExtension,
                 const QDateTime& time);
// strName in strFolder, with " (2)", " (3)"... before the extension when the name is taken.
QString UniquePath(const QString& strFolder, const QString& strName);
// The folder the recordings go to.
QString Folder();
} // namespace recording

class CStreamRecorder : public QObject
{
    Q_OBJECT
public:
    // pMessageOwner: the window that the recorder's message boxes belong to.
    // Records what the service's engine plays, named after the service's channel, and gives the
    // service its note for the status text.
    CStreamRecorder(CPlaybackService& service, QWidget* pMessageOwner, QObject* parent);
    ~CStreamRecorder() override;

    // Binds the Record and Save Song commands for as long as the recorder lives, their state pushed
    // as it changes.
    void BindCommands(CCommandActions& actions);
    bool IsRecording() const;
    // What the status bar says while recording ("" otherwise).
    QString StatusNote() const;

    // The latest song of the rewind buffer (an index of the engine's BufferedSongs) of the playing
    // channel with this title; -1 for none.
    int BufferedSong(const QString& strChannel, const QString& strTitle) const;
    // Writes the song into the recording folder; the status says where (and when the song began
    // before the buffer, that its start is missing), a message box why not.
    void SaveSong(int nSong);

signals:
    // Recording started, stopped or went on in another file.
    void Changed();
    // The songs that the buffer holds, the channel or the playing point changed.
    void BufferedSongsChanged();

private:
    bool CanRecord() const;
    void Start();
    void Stop();
    // Opens the next file for the current title; false (with the message shown) when it cannot.
    bool OpenFile();
    void OnTitleChange();
    void OnRecordingEnded(const QString& strError);
    void CheckFreeSpace();
    void Fail(const QString& strText);
    // Whether the folder is there (made if missing) and takes files; if not, the message for what is
    // wrong is shown: strCannotCreate or strCannotWrite, each with the folder for %1.
    bool PrepareFolder(const QString& strFolder, const QString& strCannotCreate, const QString& strCannotWrite);

    CPlaybackService& m_service;
    CPlaybackEngine* m_pPlayer;
    QWidget* m_pMessageOwner;
    QString m_strTitle; // the title of the file being written
    QTimer m_spaceCheck;
    // The note of a saved song stays a while.
    QTimer m_savedNote;
};
