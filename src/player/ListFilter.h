#pragma once
// The filter of the player's list (Ctrl+F): a row stays visible when its name, description or
// language contains the typed text, ignoring letter case and accents ("lumiere" finds "Lumière").
// Rows are hidden, never removed or renumbered, so serial numbers keep naming the same channels.
#include <QString>

class CListCtrl;

// The text as the filter compares it: accents removed, letters case-folded.
QString FoldForFilter(const QString& strText);

// Whether row nRow matches strFolded (already folded); an empty text matches every row.
bool RowMatchesFilter(const CListCtrl& list, int nRow, const QString& strFolded);
