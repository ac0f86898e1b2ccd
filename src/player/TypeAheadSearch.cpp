#include "player/TypeAheadSearch.h"

#include "platform/ListCtrl.h"

CTypeAheadSearch::CTypeAheadSearch(int nColumn, qint64 nResetMs) : m_nColumn(nColumn), m_nResetMs(nResetMs) {}

bool CTypeAheadSearch::IsSearching() const
{
    return !m_strTyped.isEmpty() && m_sinceLastKey.isValid() && m_sinceLastKey.elapsed() <= m_nResetMs;
}

int CTypeAheadSearch::KeyTyped(const CListCtrl& list, const QString& strText)
{
    const bool bPaused = !IsSearching();
    m_sinceLastKey.start();
    return KeyTyped(list, strText, bPaused);
}

int CTypeAheadSearch::KeyTyped(const CListCtrl& list, const QString& strText, bool bPaused)
{
    if (bPaused)
        m_strTyped.clear();
    m_strTyped += strText;
    if (m_strTyped.isEmpty())
        return -1;

    const int nCurrent = list.GetSelectedItem();
    // One letter, or the same letter again and again: step on from the current row. A longer text
    // may still match the current row, which the shorter text chose.
    const bool bOneLetter = m_strTyped.count(m_strTyped.front(), Qt::CaseInsensitive) == m_strTyped.size();
    if (bOneLetter)
        return FindFrom(list, m_nColumn, m_strTyped.left(1), nCurrent + 1);
    return FindFrom(list, m_nColumn, m_strTyped, qMax(nCurrent, 0));
}

int CTypeAheadSearch::FindFrom(const CListCtrl& list, int nColumn, const QString& strPrefix, int nStart)
{
    const int n = list.GetItemCount();
    if (n == 0 || strPrefix.isEmpty())
        return -1;
    for (int i = 0; i < n; ++i)
    {
        const int nRow = (qMax(nStart, 0) + i) % n;
        if (list.GetItemText(nRow, nColumn).startsWith(strPrefix, Qt::CaseInsensitive))
            return nRow;
    }
    return -1;
}
