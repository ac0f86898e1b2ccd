#include "player/SongHistory.h"

#include "catalogue/DataFolder.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace
{
const QString kTime = QStringLiteral("time");
const QString kChannel = QStringLiteral("channel");
const QString kTitle = QStringLiteral("title");
} // namespace

QString CSongHistory::SSong::Text() const
{
    return strChannel.isEmpty() ? strTitle : strChannel + QStringLiteral(" - ") + strTitle;
}

CSongHistory::CSongHistory(const QString& strFile, QObject* parent)
    : QObject(parent),
      m_strFile(strFile.isEmpty() ? GetDataFolder() + QStringLiteral("/songs.jsonl") : strFile)
{
}

void CSongHistory::Load()
{
    m_songs.clear();
    m_lines.clear();
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
    Save();
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

void CSongHistory::Save()
{
    QSaveFile file(m_strFile);
    if (!file.open(QIODevice::WriteOnly))
    {
        m_bSaved = false;
        return;
    }
    for (const QByteArray& line : std::as_const(m_lines))
        file.write(line);
    m_bSaved = file.commit();
}
