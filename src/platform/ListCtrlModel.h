#pragma once
// The list control's data and selection, without widgets: a table model whose rows are the list's
// rows and whose horizontal header holds the column titles, alignments and widths, plus the selection
// model that a view shares. Cells are stored column by column (one string per cell, no item objects),
// so appending a row is amortised O(1) and a list of 100 000 rows stays compact.
// Selection and focus live in the QItemSelectionModel; whenever a row's selected/focused state ends
// up different from what the owner was last told, m_onItemChanged reports the row's new state, once
// per change, whether the change came from code or from the user.
#include "platform/ListCtrl.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>

class QItemSelection;
class QItemSelectionModel;

class CListCtrlModel : public QAbstractTableModel, public CListCtrl
{
    Q_OBJECT
public:
    // Header data role with a column's width in pixels (0 = hidden column).
    static constexpr int kColumnWidthRole = Qt::UserRole + 1;

    explicit CListCtrlModel(QObject* parent = nullptr);
    ~CListCtrlModel() override;

    // CListCtrl
    bool DeleteAllItems() override;
    int GetColumnCount() const override;
    bool DeleteColumn(int nCol) override;
    int InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth) override;
    int GetItemCount() const override;
    int InsertItem(int nItem, const QString& strText) override;
    bool SetItemText(int nItem, int nSubItem, const QString& strText) override;
    QString GetItemText(int nItem, int nSubItem) const override;
    int GetSelectedItem() const override;
    bool EnsureVisible(int nItem) override;
    bool SelectAndFocusItem(int nItem) override;
    void SetExtendedStyle(unsigned nStyles) override;

    unsigned GetExtendedStyle() const { return m_nExtendedStyle; }
    int GetColumnWidth(int nCol) const;
    int GetColumnFormat(int nCol) const;
    // The selected/focused bits of a row as the owner was last told them.
    unsigned GetItemState(int nItem) const { return m_states.value(nItem, 0); }
    QItemSelectionModel* SelectionModel() const { return m_pSelection; }

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    friend class CListSelectionModel;

    struct SColumn
    {
        QString m_strHeading;
        int m_nFormat = LVCFMT_LEFT;
        int m_nWidth = 0;
        QList<QString> m_cells; // one per row
    };

    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void NoteRow(int nRow);
    // Compares the noted rows' states with what the owner was told and reports the differences.
    void SettleStates();
    unsigned CurrentState(int nRow) const;

    QList<SColumn> m_columns;
    int m_nRows = 0;
    unsigned m_nExtendedStyle = 0;
    QItemSelectionModel* m_pSelection;
    QHash<int, unsigned> m_states; // rows whose reported state is not 0
    QSet<int> m_pendingRows;       // rows whose state may have changed since the last settle
    int m_nSelectionDepth = 0;     // > 0 while a selection model operation runs
};
