#include "player/ListFilter.h"

#include "platform/ListCtrl.h"

QString FoldForFilter(const QString& strText)
{
    // Decomposed, an accented letter is its base letter followed by combining marks, which go.
    const QString decomposed = strText.normalized(QString::NormalizationForm_KD);
    QString strFolded;
    strFolded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            strFolded.append(c);
    return strFolded.toCaseFolded();
}

bool RowMatchesFilter(const CListCtrl& list, int nRow, const QString& strFolded)
{
    if (strFolded.isEmpty())
        return true;
    // Name, description, language: the columns a user reads; the address column is hidden.
    for (int nCol = 1; nCol <= 3; ++nCol)
        if (FoldForFilter(list.GetItemText(nRow, nCol)).contains(strFolded))
            return true;
    return false;
}
