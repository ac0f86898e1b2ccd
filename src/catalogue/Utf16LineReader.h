// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reads UTF-16LE text line by line from a device, through a buffer of its own. CR LF, a lone CR and a
// lone LF each end a line and are not part of it. No byte-order mark is looked for: a leading U+FEFF
// stays in the first line. A trailing odd byte is ignored. Code units are kept as they are, unpaired
// surrogates and U+0000 included.
#include <QString>

#include <memory>

class QIODevice;

class CUtf16LineReader
{
public:
    enum EResult
    {
        LINE,  // strLine holds the next line
        END,   // the device has no more data
        ERROR, // the device failed to deliver data; lines delivered so far were complete
    };

    static constexpr qsizetype kDefaultBufferBytes = 64 * 1024;

    explicit CUtf16LineReader(QIODevice& device, qsizetype nBufferBytes = kDefaultBufferBytes);
    ~CUtf16LineReader();
    CUtf16LineReader(const CUtf16LineReader&) = delete;
    CUtf16LineReader& operator=(const CUtf16LineReader&) = delete;

    // A line longer than nUnits code units is delivered cut after nUnits; the rest of it, up to its
    // line end, is dropped. Negative = no limit (the default).
    void SetMaxLineUnits(qsizetype nUnits) { m_nMaxLineUnits = nUnits; }

    EResult ReadLine(QString& strLine);
    // The same without copying: the view stays valid until the next call. A line that lies whole in
    // the buffer is not copied at all.
    EResult ReadLine(QStringView& line);

private:
    // Refills the buffer; false at the end of the data or on a read error (m_bError tells which).
    bool Fill();

    QIODevice& m_device;
    std::unique_ptr<char16_t[]> m_buffer;
    qsizetype m_nCapacityUnits;
    qsizetype m_nMaxLineUnits = -1;
    qsizetype m_nPos = 0;   // next unread code unit
    qsizetype m_nUnits = 0; // code units in the buffer
    char m_oddByte = 0;     // low byte of a code unit whose high byte has not been read yet
    bool m_bHaveOddByte = false;
    bool m_bSkipLineFeed = false;  // the last line ended in CR: a LF right after it belongs to that end
    bool m_bSkipToLineEnd = false; // the last line was cut: what is left of it is dropped
    bool m_bEnd = false;
    bool m_bError = false;
    QString m_strPieces; // a line that spans buffer refills, put together
};
