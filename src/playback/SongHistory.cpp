// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/SongHistory.h"

#include "catalogue/DataFolder.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
const QString kTime = QStringLiteral("time");
const QString kChannel = QStringLiteral("channel");
const QString kTitle = QStringLiteral("title");
constexpr int kSaveDelayMs = 1000;
} // namespace

QString CSongHistory::SSong::Text() const
{
    return strChannel.isEmpty() ? strTitle : strChannel + QStringLiteral(" - ") + strTitle;
}

CSongHistory::CSongHistory(const QString& strFile, QObject* parent)
    : QObject(parent),
      m_strFile(strFile.isEmpty() ? GetDataFolder() + QStringLiteral("/songs.jsonl") : strFile)
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(kSaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &CSongHistory::Save);
    // The history may outlive the event loop (a member of the main window): the last songs are
    // written before the loop ends as well.
    if (QCoreApplication* pApp = QCoreApplication::instance())
        connect(pApp, &QCoreApplication::aboutToQuit, this, &CSongHistory::Save);
}

CSongHistory::~CSongHistory()
{
    Save();
}

void CSongHistory::Load()
{
    m_songs.clear();
    m_lines.clear();
    m_saveTimer.stop();
    m_bSaved = true;
    QFile file(m_strFile);
    if (file.open(QIODevice::ReadOnly))
    {
        while (!file.atEnd())
        {
            const QJsonObject object = QJsonDocument::fromJson(file.readLine()).object();
            SSong song{QDateTime::fromString(object.value(kTime).toString(), Qt::ISODateWithMs),
                       object.value(kChannel).toString(), object.value(kTitle).toString()};
            if (song.time.isValid() && !song.strTitle.isEmpty())
                Append(song);
        }
    }
    emit Changed();
}

void CSongHistory::Add(const QString& strChannel, const QString& strTitle, const QDateTime& time)
{
    if (strTitle.isEmpty())
        return;
    if (!m_songs.isEmpty() && m_songs.last().strChannel == strChannel && m_songs.last().strTitle == strTitle)
        return;
    Append({time, strChannel, strTitle});
    m_bSaved = false;
    // Not restarted by the next song: a station that sends a title every half second still has its
    // songs written once a second.
    if (!m_saveTimer.isActive())
        m_saveTimer.start();
    emit Changed();
}

void CSongHistory::Append(const SSong& song)
{
    // A song read from the file gets its line made anew rather than copied: the file may be damaged.
    const QJsonObject object{
        {kTime, song.time.toString(Qt::ISODateWithMs)}, {kChannel, song.strChannel}, {kTitle, song.strTitle}};
    m_songs.append(song);
    m_lines.append(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    if (m_songs.size() > kCapacity)
    {
        m_songs.removeFirst();
        m_lines.removeFirst();
    }
}

QList<CSongHistory::SSong> CSongHistory::Recent(int nCount) const
{
    QList<SSong> recent;
    for (qsizetype i = m_songs.size() - 1; i >= 0 && recent.size() < nCount; --i)
        recent.append(m_songs.at(i));
    return recent;
}

bool CSongHistory::Save()
{
    m_saveTimer.stop();
    if (m_bSaved)
        return true;
    QByteArray data;
    qsizetype nSize = 0;
    for (const QByteArray& line : std::as_const(m_lines))
        nSize += line.size();
    data.reserve(nSize);
    for (const QByteArray& line : std::as_const(m_lines))
        data += line;
    m_strError.clear();
    m_bSaved = WriteWholeFile(m_strFile, data, &m_strError);
    return m_bSaved;
}
