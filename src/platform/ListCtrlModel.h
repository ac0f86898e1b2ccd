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

    // Holds back the item-changed notification while it lives; the rows whose state differs from
    // what the owner was told are reported when the outermost batch ends. A view wraps each mouse
    // and key event in one, as one click moves the focus and the selection in separate steps.
    class CNotificationBatch
    {
    public:
        explicit CNotificationBatch(CListCtrlModel& model) : m_model(model) { ++m_model.m_nBatchDepth; }
        ~CNotificationBatch()
        {
            if (--m_model.m_nBatchDepth == 0)
                m_model.SettleStates();
        }
        CNotificationBatch(const CNotificationBatch&) = delete;
        CNotificationBatch& operator=(const CNotificationBatch&) = delete;

    private:
        CListCtrlModel& m_model;
    };

    // CListCtrl
    bool DeleteAllItems() override;
    int GetColumnCount() const override;
    bool DeleteColumn(int nCol) override;
    int InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth) override;
    int GetItemCount() const override;
    int InsertItem(int nItem, const QString& strText) override;
    bool SetItemText(int nItem, int nSubItem, const QString& strText) override;
    QString GetItemText(int nItem, int nSubItem) const override;
    void ReserveItems(int nRows, const QList<qsizetype>& textUnits) override;
    int GetSelectedItem() const override;
    bool EnsureVisible(int nItem) override;
    bool SelectAndFocusItem(int nItem) override;
    void SetExtendedStyle(unsigned nStyles) override;

    // Rows appended at the end are announced to views in one batch, from the event loop, instead of
    // one by one: a view handles one insertion of 100 000 rows far faster than 100 000 insertions.
    // Everything that needs the views in step (selection, scrolling, inserting in the middle) calls
    // this first.
    void FlushRows();

    unsigned GetExtendedStyle() const { return m_nExtendedStyle; }
    int GetColumnWidth(int nCol) const;
    int GetColumnFormat(int nCol) const;
    QItemSelectionModel* SelectionModel() const { return m_pSelection; }

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A column's cell texts live one after the other in one buffer; each cell is a span of it. A
    // rewritten cell that no longer fits moves to the end, and the buffer is compacted once more than
    // half of it is dead text.
    struct SCell
    {
        qsizetype m_nStart = 0;
        qsizetype m_nLength = 0;
    };
    struct SColumn
    {
        QString m_strHeading;
        int m_nFormat = LVCFMT_LEFT;
        int m_nWidth = 0;
        QList<SCell> m_cells; // one per row
        QString m_text;       // grows in place where the allocator can (realloc), unlike a std::vector
        qsizetype m_nDeadText = 0;

        QStringView Text(int nRow) const;
        void Append(QStringView text);
        // Copies text to the end of the buffer; returns its span.
        SCell Store(QStringView text);
        void Set(int nRow, QStringView text);
        void Compact();
    };

    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void NoteRow(int nRow);
    // Compares the noted rows' states with what the owner was told and reports the differences.
    void SettleStates();
    unsigned CurrentState(int nRow) const;

    QList<SColumn> m_columns;
    int m_nRows = 0;      // rows held
    int m_nShownRows = 0; // rows the views have been told about; the rest follow in FlushRows
    bool m_bFlushQueued = false;
    unsigned m_nExtendedStyle = 0;
    QItemSelectionModel* m_pSelection;
    QHash<int, unsigned> m_states; // rows whose reported state is not 0
    QSet<int> m_pendingRows;       // rows whose state may have changed since the last settle
    int m_nBatchDepth = 0;         // > 0 while notifications are held back
};
