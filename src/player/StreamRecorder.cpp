// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/StreamRecorder.h"

#include "base/Commands.h"
#include "base/StringTable.h"
#include "context/CommandActions.h"
#include "platform/MessageBox.h"
#include "player/ListenBackControl.h"
#include "playback/PlaybackEngine.h"
#include "playback/PlaybackService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QTextBoundaryFinder>

namespace
{
// Below this the disk counts as full: the recording ends before a write fails half-way.
constexpr qint64 kLeastFreeBytes = 4 * 1024 * 1024;
constexpr int kSpaceCheckMs = 2000;
constexpr int kSavedNoteMs = 15000;
// File names are at most 255 bytes in the file system's encoding; the name is cut so that " (n)"
// and the extension still fit.
constexpr qsizetype kMaxNameBytes = 255;
constexpr qsizetype kUniqueSuffixBytes = 8; // " (99999)"

// The longest start of strText, whole characters only (no half of a surrogate pair or of a letter
// with its accents), that takes at most nMaxBytes in the file system's encoding.
QString CutToBytes(const QString& strText, qsizetype nMaxBytes)
{
    if (QFile::encodeName(strText).size() <= nMaxBytes)
        return strText;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, strText);
    qsizetype nCut = 0;
    for (qsizetype nNext = finder.toNextBoundary(); nNext > 0; nNext = finder.toNextBoundary())
    {
        if (QFile::encodeName(strText.left(nNext)).size() > nMaxBytes)
            break;
        nCut = nNext;
    }
    return strText.left(nCut);
}
} // namespace

namespace recording
{
QString ExtensionFor(const QString& strCodec)
{
    static const std::pair<const char*, const char*> kExtensions[]{
        {"mp3", "mp3"}, {"aac", "aac"}, {"vorbis", "ogg"}, {"opus", "opus"}, {"flac", "flac"},
    };
    for (const auto& [codec, extension] : kExtensions)
        if (strCodec == QLatin1String(codec))
            return QString::fromLatin1(extension);
    // Matroska holds any codec as it came.
    return QStringLiteral("mka");
}

QString FileName(const QString& strChannel, const QString& strTitle, const QString& strExtension,
                 const QDateTime& time)
{
    const QString strPart = strTitle.trimmed().isEmpty()
                                ? time.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"))
                                : strTitle.trimmed();
    QString strBase =
        strChannel.trimmed().isEmpty() ? strPart : strChannel.trimmed() + QStringLiteral(" - ") + strPart;
    for (QChar& c : strBase)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    const qsizetype nExtensionBytes = QFile::encodeName(strExtension).size() + 1;
    strBase = CutToBytes(strBase, kMaxNameBytes - kUniqueSuffixBytes - nExtensionBytes).trimmed();
    // A name of dots alone, or one that starts with a dot, would be hidden or mean a folder.
    while (strBase.startsWith(QLatin1Char('.')))
        strBase.replace(0, 1, QLatin1Char('_'));
    while (strBase.endsWith(QLatin1Char('.')))
        strBase.chop(1);
    return strBase + QLatin1Char('.') + strExtension;
}

QString UniquePath(const QString& strFolder, const QString& strName)
{
    const QDir folder(strFolder);
    if (!folder.exists(strName))
        return folder.filePath(strName);
    const QFileInfo info(strName);
    const QString strBase = info.completeBaseName();
    const QString strSuffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n)
    {
        const QString strCandidate = QStringLiteral("%1 (%2)%3").arg(strBase).arg(n).arg(strSuffix);
        if (!folder.exists(strCandidate))
            return folder.filePath(strCandidate);
    }
}

QString Folder()
{
    QString strMusic = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (strMusic.isEmpty())
        strMusic = QDir::homePath();
    return QDir(strMusic).filePath(QStringLiteral("Vedrix"));
}
} // namespace recording

CStreamRecorder::CStreamRecorder(CPlaybackService& service, QWidget* pMessageOwner, QObject* parent)
    : QObject(parent), m_service(service), m_pPlayer(service.Engine()), m_pMessageOwner(pMessageOwner)
{
    connect(m_pPlayer, &CPlaybackEngine::TitleChanged, this, &CStreamRecorder::OnTitleChange);
    connect(m_pPlayer, &CPlaybackEngine::RecordingEnded, this, &CStreamRecorder::OnRecordingEnded);
    // The note follows the engine's recording file, whatever changed it.
    connect(this, &CStreamRecorder::Changed, this,
            [this] { m_service.SetNote(CPlaybackService::ENote::Recording, StatusNote()); });
    m_spaceCheck.setInterval(kSpaceCheckMs);
    connect(&m_spaceCheck, &QTimer::timeout, this, &CStreamRecorder::CheckFreeSpace);
    m_savedNote.setSingleShot(true);
    m_savedNote.setInterval(kSavedNoteMs);
    connect(&m_savedNote, &QTimer::timeout, this,
            [this] { m_service.SetNote(CPlaybackService::ENote::SavedSong, QString()); });
    connect(m_pPlayer, &CPlaybackEngine::BufferedSongsChanged, this, &CStreamRecorder::BufferedSongsChanged);
    connect(m_pPlayer, &CPlaybackEngine::BufferChanged, this, &CStreamRecorder::BufferedSongsChanged);
    connect(&m_service, &CPlaybackService::ChannelChanged, this, &CStreamRecorder::BufferedSongsChanged);
}

CStreamRecorder::~CStreamRecorder()
{
    m_service.SetNote(CPlaybackService::ENote::Recording, QString());
    m_service.SetNote(CPlaybackService::ENote::SavedSong, QString());
}

void CStreamRecorder::BindCommands(CCommandActions& actions)
{
    auto update = [this, &actions]
    {
        actions.SetEnabled(ID_RECORD, IsRecording() || CanRecord());
        actions.SetChecked(ID_RECORD, IsRecording());
    };
    actions.Bind(ID_RECORD, this,
                 [this, update]
                 {
                     if (IsRecording())
                         Stop();
                     else if (CanRecord())
                         Start();
                     update();
                 });
    connect(this, &CStreamRecorder::Changed, this, update);
    // Whether a recording can start follows the player's state and whether a picture plays.
    connect(m_pPlayer, &CPlaybackEngine::StateChanged, this, update);
    connect(m_pPlayer, &CPlaybackEngine::PictureChanged, this, update);
    connect(m_pPlayer, &CPlaybackEngine::PictureTrackFound, this, update);
    connect(m_pPlayer, &CPlaybackEngine::RecordingEnded, this, update);
    update();

    actions.Bind(ID_SAVE_SONG, this, [this] { SaveSong(CListenBackControl::PlayingSong(*m_pPlayer)); });
    auto updateSave = [this, &actions] { actions.SetEnabled(ID_SAVE_SONG, CListenBackControl::PlayingSong(*m_pPlayer) >= 0); };
    connect(this, &CStreamRecorder::BufferedSongsChanged, this, updateSave);
    updateSave();
}


int CStreamRecorder::BufferedSong(const QString& strChannel, const QString& strTitle) const
{
    if (!m_pPlayer->Buffer().bActive || strTitle.isEmpty() || strChannel != m_service.Channel().m_strName)
        return -1;
    const QList<SBufferedSong> songs = m_pPlayer->BufferedSongs();
    for (qsizetype i = songs.size() - 1; i >= 0; --i)
        if (songs[i].strTitle == strTitle)
            return int(i);
    return -1;
}

void CStreamRecorder::SaveSong(int nSong)
{
    const QList<SBufferedSong> songs = m_pPlayer->BufferedSongs();
    if (nSong < 0 || nSong >= songs.size())
        return;
    const SBufferedSong song = songs[nSong];
    const QString strFolder = recording::Folder();
    if (!PrepareFolder(strFolder, tr("The folder %1 cannot be created, so the song is not saved."),
                       tr("Nothing can be written to the folder %1, so the song is not saved.")))
        return;
    const QString strPath =
        recording::UniquePath(strFolder, recording::FileName(m_service.Channel().m_strName, song.strTitle,
                                                             recording::ExtensionFor(m_pPlayer->AudioCodec()),
                                                             QDateTime::currentDateTime()));
    const QString strError = m_pPlayer->SaveSong(nSong, strPath);
    if (!strError.isEmpty())
    {
        Fail(tr("The song could not be saved in the file %1 (%2). The disk may be full.")
                 .arg(QDir::toNativeSeparators(strPath), strError));
        return;
    }
    const QString strName = QFileInfo(strPath).fileName();
    m_service.SetNote(CPlaybackService::ENote::SavedSong,
                      song.bCut ? tr("Saved from the start of the buffer: %1").arg(strName)
                                : tr("Saved: %1").arg(strName));
    m_savedNote.start();
}

bool CStreamRecorder::PrepareFolder(const QString& strFolder, const QString& strCannotCreate,
                                    const QString& strCannotWrite)
{
    const QString strShown = QDir::toNativeSeparators(strFolder);
    if (!QDir().mkpath(strFolder) || !QFileInfo(strFolder).isDir())
    {
        Fail(strCannotCreate.arg(strShown));
        return false;
    }
    // Permissions alone do not tell (a read-only mount, another user's folder as root): try a file.
    QTemporaryFile probe(QDir(strFolder).filePath(QStringLiteral(".vedrix-XXXXXX")));
    if (!probe.open())
    {
        Fail(strCannotWrite.arg(strShown));
        return false;
    }
    return true;
}

bool CStreamRecorder::IsRecording() const
{
    return !m_pPlayer->RecordFile().isEmpty();
}

QString CStreamRecorder::StatusNote() const
{
    if (!IsRecording())
        return {};
    return tr("Recording %1").arg(QFileInfo(m_pPlayer->RecordFile()).fileName());
}

bool CStreamRecorder::CanRecord() const
{
    // A picture's stream would need its own container and far more disk; only sound is recorded.
    return m_pPlayer->State() == EPlayerState::Playing && !m_pPlayer->HasPictureTrack();
}

void CStreamRecorder::Start()
{
    const QString strFolder = recording::Folder();
    if (!PrepareFolder(strFolder, tr("The folder %1 cannot be created, so nothing is recorded."),
                       tr("Nothing can be written to the folder %1, so nothing is recorded.")))
        return;
    if (OpenFile())
    {
        m_spaceCheck.start();
        CheckFreeSpace();
    }
}

void CStreamRecorder::Stop()
{
    m_spaceCheck.stop();
    m_pPlayer->SetRecordFile(QString());
    emit Changed();
}

bool CStreamRecorder::OpenFile()
{
    m_strTitle = m_pPlayer->Title();
    const QString strName =
        recording::FileName(m_service.Channel().m_strName, m_strTitle,
                            recording::ExtensionFor(m_pPlayer->AudioCodec()), QDateTime::currentDateTime());
    const QString strPath = recording::UniquePath(recording::Folder(), strName);
    // The name is taken at once, so that a second file of the same title does not reuse it before
    // mpv has written anything.
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
    {
        m_pPlayer->SetRecordFile(QString());
        m_spaceCheck.stop();
        emit Changed();
        Fail(tr("The file %1 cannot be written, so the recording has stopped.")
                 .arg(QDir::toNativeSeparators(strPath)));
        return false;
    }
    file.close();
    m_pPlayer->SetRecordFile(strPath);
    emit Changed();
    return true;
}

void CStreamRecorder::OnTitleChange()
{
    // A title that goes away (the stream ends) is no new song; the player ends the recording then.
    const QString strTitle = m_pPlayer->Title();
    if (!IsRecording() || strTitle.isEmpty() || strTitle == m_strTitle)
        return;
    OpenFile();
}

void CStreamRecorder::OnRecordingEnded(const QString& strError)
{
    m_spaceCheck.stop();
    emit Changed();
    if (!strError.isEmpty())
        Fail(tr("The recording has stopped: the file could not be written (%1). The disk may be full.")
                 .arg(strError));
}

void CStreamRecorder::CheckFreeSpace()
{
    if (!IsRecording())
        return;
    const QStorageInfo storage(QFileInfo(m_pPlayer->RecordFile()).absolutePath());
    if (!storage.isValid() || storage.bytesAvailable() >= kLeastFreeBytes)
        return;
    m_spaceCheck.stop();
    m_pPlayer->SetRecordFile(QString());
    emit Changed();
    Fail(tr("The disk is full, so the recording has stopped."));
}

void CStreamRecorder::Fail(const QString& strText)
{
    ShowMessageBox(m_pMessageOwner, AppTitle(), QMessageBox::Warning, strText);
}
