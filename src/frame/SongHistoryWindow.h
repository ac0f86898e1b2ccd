#pragma once
// The songs heard, newest first, in a window of its own (not modal): a search box that narrows the
// list to the songs whose channel or title holds the text, and Copy (also Ctrl+C) that puts the
// selected songs, "channel - title" a line, on the clipboard.
#include <QWidget>

class CSongHistory;
class QLineEdit;
class QTreeWidget;

class CSongHistoryWindow : public QWidget
{
    Q_OBJECT
public:
    CSongHistoryWindow(CSongHistory* pHistory, QWidget* parent);

    // The selected songs as copied.
    QString SelectedText() const;
    void CopySelection();
    QLineEdit* SearchBox() const { return m_pSearch; }
    QTreeWidget* List() const { return m_pList; }

private:
    void Fill();
    void ApplySearch();

    CSongHistory* m_pHistory;
    QLineEdit* m_pSearch;
    QTreeWidget* m_pList;
};
