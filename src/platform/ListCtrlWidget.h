#pragma once
// The real list control: a QTableView over a CListCtrlModel (one model row per list row, no item
// object per cell). Key presses reach m_onKeyDown as virtual keys; selection changes raise
// m_onItemChanged.
#include "platform/ListCtrl.h"

#include <QTableView>

class CListCtrlModel;

class CListCtrlWidget : public QTableView, public CListCtrl
{
    Q_OBJECT
public:
    explicit CListCtrlWidget(QWidget* parent = nullptr);
    ~CListCtrlWidget() override;

    bool DeleteAllItems() override;
    int GetColumnCount() const override;
    bool DeleteColumn(int nCol) override;
    int InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth) override;
    int GetItemCount() const override;
    int InsertItem(int nItem, const QString& strText) override;
    bool SetItemText(int nItem, int nSubItem, const QString& strText) override;
    void ReserveItems(int nRows, const QList<qsizetype>& textUnits) override;
    QString GetItemText(int nItem, int nSubItem) const override;
    int GetSelectedItem() const override;
    bool EnsureVisible(int nItem) override;
    bool SelectAndFocusItem(int nItem) override;
    void SetExtendedStyle(unsigned nStyles) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    CListCtrlModel* m_pModel;
};
