#pragma once
// The songs heard: every title that a stream sends, with its channel and the time it came, the last
// 1000 of them. Kept in a file of the data folder, one JSON object a line, rewritten whole (and
// atomically) at every new song, so that a crash leaves the old file or the new one, never half of
// it. A damaged file gives what can still be read: each line stands alone.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class CSongHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCapacity = 1000;

    struct SSong
    {
        QDateTime time;
        QString strChannel;
        QString strTitle;
        // "channel - title", as it is copied.
        QString Text() const;
    };

    // strFile empty: "songs.jsonl" in the data folder.
    explicit CSongHistory(const QString& strFile = QString(), QObject* parent = nullptr);

    // Reads the file (what it can); a missing file is an empty history.
    void Load();
    // A new song; the same title of the same channel again (a stream repeating its tag) is not one.
    void Add(const QString& strChannel, const QString& strTitle,
             const QDateTime& time = QDateTime::currentDateTime());
    // Oldest first.
    const QList<SSong>& Songs() const { return m_songs; }
    // The newest nCount, newest first.
    QList<SSong> Recent(int nCount) const;
    QString FilePath() const { return m_strFile; }
    // Whether the last write reached the disk.
    bool IsSaved() const { return m_bSaved; }

signals:
    void Changed();

private:
    void Append(const SSong& song);
    void Save();

    QString m_strFile;
    QList<SSong> m_songs;
    // Each song's line of the file, made once when the song comes: a new song rewrites a thousand
    // lines, which are copied rather than encoded again (a thousand JSON objects, their strings and
    // dates, at every title a stream sends).
    QList<QByteArray> m_lines;
    bool m_bSaved = true;
};
