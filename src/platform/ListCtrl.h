#pragma once
// The list control operations that the catalogue and the player view use. The real control is a
// model of our own behind a QTableView (CListCtrlModel / CChannelListView); unit tests use doubles.
#include <QList>
#include <QString>
#include <functional>

// Column alignment.
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_CENTER = 0x0002;
// Row state bits of the item-changed notification.
constexpr unsigned LVIS_FOCUSED = 0x0001;
constexpr unsigned LVIS_SELECTED = 0x0002;
// Extended styles.
constexpr unsigned LVS_EX_GRIDLINES = 0x0001;
constexpr unsigned LVS_EX_FULLROWSELECT = 0x0020;

class CListCtrl
{
public:
    virtual ~CListCtrl() = default;

    virtual bool DeleteAllItems() = 0;
    virtual int GetColumnCount() const = 0;
    virtual bool DeleteColumn(int nCol) = 0;
    virtual int InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth) = 0;
    virtual int GetItemCount() const = 0;
    // Inserts a row at nItem whose first cell reads strText; returns the new row's index.
    virtual int InsertItem(int nItem, const QString& strText) = 0;
    virtual bool SetItemText(int nItem, int nSubItem, const QString& strText) = 0;
    virtual QString GetItemText(int nItem, int nSubItem) const = 0;
    // A hint before nRows rows are appended whose cells of column c hold textUnits[c] code units in
    // all: a list may make room for them at once. Nothing by default.
    virtual void ReserveItems(int nRows, const QList<qsizetype>& textUnits)
    {
        Q_UNUSED(nRows);
        Q_UNUSED(textUnits);
    }

    // Index of the first selected row, -1 if none.
    virtual int GetSelectedItem() const = 0;
    // Scrolls the row fully into view.
    virtual bool EnsureVisible(int nItem) = 0;
    // Makes the row the selected and focused one (the list has single selection). Raises the
    // item-changed notification for every row whose state changes; none when nothing changes.
    virtual bool SelectAndFocusItem(int nItem) = 0;
    virtual void SetExtendedStyle(unsigned nStyles) = 0;

    // Notifications to the owner: item changed (row, new state bits) and key down (virtual key).
    std::function<void(int nItem, unsigned nNewState)> m_onItemChanged;
    std::function<void(unsigned nVirtualKey)> m_onKeyDown;
};
