// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ListFilter.h"

#include "catalogue/ChannelTableModel.h"

#include <QHash>

namespace
{
// Between the fields of a row in the index: a typed text never holds it, so no match spans two.
constexpr char16_t kColumnSeparator = u'\0';

QString FoldWhole(QStringView text)
{
    // Decomposed, an accented letter is its base letter followed by combining marks, which go.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString strBare;
    strBare.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            strBare.append(c);
    return strBare.toCaseFolded();
}

// Folds text onto the end of strOut. Most characters of channel names are ASCII, for which folding
// is lowering A-Z; any other character is folded on its own, once, through folded (normalising
// whole rows cost a list of 100 000 channels most of the filter's time). A character decomposes on
// its own as it does within its text, and the marks that would be reordered are dropped.
void AppendFolded(QStringView text, QString& strOut, QHash<char16_t, QString>& folded)
{
    const qsizetype nLength = text.size();
    for (qsizetype i = 0; i < nLength; ++i)
    {
        const char16_t u = text[i].unicode();
        if (u < 0x80)
            strOut.append(QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u));
        else if (QChar::isHighSurrogate(u) && i + 1 < nLength && QChar::isLowSurrogate(text[i + 1].unicode()))
        {
            strOut.append(FoldWhole(text.sliced(i, 2)));
            ++i;
        }
        else
        {
            auto it = folded.constFind(u);
            if (it == folded.cend())
                it = folded.insert(u, FoldWhole(text.sliced(i, 1)));
            strOut.append(*it);
        }
    }
}
} // namespace

QString FoldForFilter(const QString& strText)
{
    QString strFolded;
    strFolded.reserve(strText.size());
    QHash<char16_t, QString> folded;
    AppendFolded(strText, strFolded, folded);
    return strFolded;
}

void CListFilterIndex::Build(const CChannelTableModel& channels)
{
    Clear();
    const int nRows = channels.Count();
    m_starts.reserve(size_t(nRows) + 1);
    QHash<char16_t, QString> folded;
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        m_starts.push_back(m_text.size());
        // Name, description, language: what a user reads of a row; the address is not shown.
        const CChannelRecord& record = channels.Record(nRow);
        for (const QString* pField : {&record.m_strName, &record.m_strDescription, &record.m_strLanguage})
        {
            AppendFolded(*pField, m_text, folded);
            m_text.append(QChar(kColumnSeparator));
        }
    }
    m_starts.push_back(m_text.size());
    m_frequency.assign(256, 0);
    for (const QChar c : std::as_const(m_text))
        if (c.unicode() < 256)
            ++m_frequency[c.unicode()];
}

void CListFilterIndex::Clear()
{
    m_text.clear();
    m_starts.clear();
    m_frequency.clear();
}

qsizetype CListFilterIndex::Find(QStringView haystack, QStringView needle, qsizetype nFrom) const
{
    // Qt's general search hashes every character of the text. Here the vectorised search of one
    // character, the needle's rarest in the index, skips to the few places where the needle can be:
    // a pass over the folded texts of 100 000 rows takes a fraction of the time.
    qsizetype nKey = 0;
    for (qsizetype i = 1; i < needle.size(); ++i)
        if (Frequency(needle[i]) < Frequency(needle[nKey]))
            nKey = i;
    const QChar key = needle[nKey];
    const qsizetype nLast = haystack.size() - needle.size();
    qsizetype nPos = nFrom + nKey;
    while (nPos - nKey <= nLast)
    {
        nPos = haystack.indexOf(key, nPos);
        if (nPos < 0 || nPos - nKey > nLast)
            return -1;
        if (haystack.sliced(nPos - nKey, needle.size()) == needle)
            return nPos - nKey;
        ++nPos;
    }
    return -1;
}

QStringView CListFilterIndex::RowText(int nRow) const
{
    return QStringView(m_text).sliced(m_starts[size_t(nRow)],
                                      m_starts[size_t(nRow) + 1] - m_starts[size_t(nRow)]);
}

void CListFilterIndex::FindAll(QStringView strFolded, std::vector<int>& rows) const
{
    rows.clear();
    if (strFolded.isEmpty() || m_starts.empty())
        return;
    // One search through the whole buffer; after a hit the search goes on at the next row.
    const QStringView all(m_text);
    const int nRows = RowCount();
    int nRow = 0;
    qsizetype nPos = 0;
    while ((nPos = Find(all, strFolded, nPos)) >= 0)
    {
        while (nRow < nRows && m_starts[size_t(nRow) + 1] <= nPos)
            ++nRow;
        if (nRow >= nRows)
            break;
        rows.push_back(nRow);
        nPos = m_starts[size_t(nRow) + 1];
    }
}

void CListFilterIndex::FindAmong(QStringView strFolded, const std::vector<int>& candidates,
                                 std::vector<int>& rows) const
{
    rows.clear();
    const int nRows = RowCount();
    for (const int nRow : candidates)
        if (nRow < nRows && Find(RowText(nRow), strFolded, 0) >= 0)
            rows.push_back(nRow);
}
