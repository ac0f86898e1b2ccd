// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One channel of the channel list file: seven text fields, kept exactly as read (every 16-bit code
// unit), apart from the white space trimmed from both ends of each field.
#include <QString>

class CChannelRecord
{
public:
    CChannelRecord() = default;
    CChannelRecord(const CChannelRecord&) = default;
    CChannelRecord(CChannelRecord&&) noexcept = default;
    CChannelRecord& operator=(const CChannelRecord&) = default;
    CChannelRecord& operator=(CChannelRecord&&) noexcept = default;
    ~CChannelRecord() = default;

    QString GetType() const { return m_strType; }
    QString GetName() const { return m_strName; }
    QString GetUrl() const { return m_strUrl; }
    QString GetLanguage() const { return m_strLanguage; }
    QString GetDescription() const { return m_strDescription; }
    QString GetStatus() const { return m_strStatus; }

    // Field n (0 to 6) in file order.
    const QString& Field(int nIndex) const;
    QString& Field(int nIndex);

    QString m_strType;        // 0: "Radio", "TV", or anything else
    QString m_strName;        // 1
    QString m_strUrl;         // 2: stream address
    QString m_strExtra;       // 3: kept, never shown
    QString m_strLanguage;    // 4
    QString m_strDescription; // 5
    QString m_strStatus;      // 6: contains "OFF" when the channel does not work

    static constexpr int kFieldCount = 7;
};

class CStringPool;

// Cuts one line into a record. Never rejects a line: a line with fewer than six commas gives whatever
// fields the cutting rules produce (a failed comma search restarts the next search at the line's start).
CChannelRecord ParseChannelLine(QString strLine);
// The same for a line that the caller keeps; the short repeated fields (type, extra, language, status)
// share their storage through the pool, and the others are copied into the pool's blocks.
CChannelRecord ParseChannelLine(QStringView line, CStringPool& pool);
