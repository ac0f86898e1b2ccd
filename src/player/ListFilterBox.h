#pragma once
// The filter box over the player's list: Ctrl+F shows it, typing hides the rows that do not match
// (see ListFilter.h), Escape clears it and gives the list its rows back.
#include <QLineEdit>

class CListCtrlWidget;

class CListFilterBox : public QLineEdit
{
    Q_OBJECT
public:
    // A child of pParent, placed over the top right corner of the list.
    CListFilterBox(CListCtrlWidget* pList, QWidget* pParent);

    // Shows the box and gives it the focus.
    void Open();
    // Empties and hides the box; every row shows again.
    void Clear();
    // Hides the rows that do not match the text; called again after the list was refilled.
    void Apply();
    // Whether some text filters the rows now.
    bool IsFiltering() const { return !m_strFolded.isEmpty(); }
    // The next shown row from nRow in direction nStep (+1 or -1), wrapping around; nRow -1 starts
    // before the first row (or after the last, going back). -1 when no other row is shown.
    int NextShownRow(int nRow, int nStep) const;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Place();

    CListCtrlWidget* m_pList;
    QString m_strFolded;
};
