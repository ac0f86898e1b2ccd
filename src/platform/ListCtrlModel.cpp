#include "platform/ListCtrlModel.h"

#include "platform/HugePages.h"

#include <QItemSelectionModel>

#include <algorithm>

// The selection model of the list. Selecting a row and making it current is one call that
// QItemSelectionModel reports as two signals; the row's new state is reported once, when the
// outermost call returns.
class CListSelectionModel : public QItemSelectionModel
{
public:
    explicit CListSelectionModel(CListCtrlModel* pModel)
        : QItemSelectionModel(pModel, pModel), m_pOwner(pModel)
    {
    }

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        Run([&] { QItemSelectionModel::setCurrentIndex(index, command); });
    }
    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        Run([&] { QItemSelectionModel::select(index, command); });
    }
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override
    {
        Run([&] { QItemSelectionModel::select(selection, command); });
    }
    void clear() override
    {
        Run([&] { QItemSelectionModel::clear(); });
    }
    void reset() override
    {
        Run([&] { QItemSelectionModel::reset(); });
    }
    void clearCurrentIndex() override
    {
        Run([&] { QItemSelectionModel::clearCurrentIndex(); });
    }

private:
    template <class F> void Run(F&& operation)
    {
        CListCtrlModel::CNotificationBatch batch(*m_pOwner);
        operation();
    }

    CListCtrlModel* m_pOwner;
};

QStringView CListCtrlModel::SColumn::Text(int nRow) const
{
    const SCell& cell = m_cells[nRow];
    return QStringView(m_text).mid(cell.m_nStart, cell.m_nLength);
}

namespace
{
// Makes room in a buffer that is filled from start to end for nMore elements. A new allocation asks
// for huge pages before anything is written to it.
template <class TBuffer> void Reserve(TBuffer& buffer, qsizetype nMore)
{
    const qsizetype nNeeded = buffer.size() + nMore;
    if (nNeeded <= buffer.capacity())
        return;
    buffer.reserve(nNeeded);
    hugepages::Advise(buffer.constData() + buffer.size(),
                      size_t(buffer.capacity() - buffer.size()) * sizeof(*buffer.constData()));
}
} // namespace

CListCtrlModel::SCell CListCtrlModel::SColumn::Store(QStringView text)
{
    const SCell cell{m_text.size(), text.size()};
    m_text.append(text);
    return cell;
}

void CListCtrlModel::SColumn::Append(QStringView text)
{
    m_cells.append(Store(text));
}

void CListCtrlModel::SColumn::Set(int nRow, QStringView text)
{
    SCell& cell = m_cells[nRow];
    if (text.size() <= cell.m_nLength)
    {
        std::copy(text.begin(), text.end(), m_text.begin() + cell.m_nStart);
        m_nDeadText += cell.m_nLength - text.size();
        cell.m_nLength = text.size();
        return;
    }
    m_nDeadText += cell.m_nLength;
    cell = Store(text);
    if (m_nDeadText > 4096 && m_nDeadText > m_text.size() / 2)
        Compact();
}

void CListCtrlModel::SColumn::Compact()
{
    QString text;
    text.reserve(m_text.size() - m_nDeadText);
    for (SCell& cell : m_cells)
    {
        const qsizetype nStart = text.size();
        text.append(QStringView(m_text).mid(cell.m_nStart, cell.m_nLength));
        cell.m_nStart = nStart;
    }
    m_text = std::move(text);
    m_nDeadText = 0;
}

CListCtrlModel::CListCtrlModel(QObject* parent)
    : QAbstractTableModel(parent), m_pSelection(new CListSelectionModel(this))
{
    connect(m_pSelection, &QItemSelectionModel::selectionChanged, this, &CListCtrlModel::OnSelectionChanged);
    connect(m_pSelection, &QItemSelectionModel::currentChanged, this, &CListCtrlModel::OnCurrentChanged);
}

CListCtrlModel::~CListCtrlModel()
{
    // The selection model outlives this part of the object (it is a child): it must not call back.
    m_pSelection->disconnect(this);
}

bool CListCtrlModel::DeleteAllItems()
{
    beginResetModel();
    for (SColumn& column : m_columns)
    {
        // Give the memory back: the next fill may be much smaller than this one.
        column.m_cells = QList<SCell>();
        column.m_text = QString();
        column.m_nDeadText = 0;
    }
    m_nRows = 0;
    m_nShownRows = 0;
    endResetModel();
    // Deleted rows are not "deselected": the owner hears nothing about them, and a row selected
    // after the next fill is a change again.
    m_states.clear();
    m_pendingRows.clear();
    return true;
}

int CListCtrlModel::GetColumnCount() const
{
    return int(m_columns.size());
}

bool CListCtrlModel::DeleteColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_columns.size())
        return false;
    FlushRows();
    beginRemoveColumns(QModelIndex(), nCol, nCol);
    m_columns.removeAt(nCol);
    endRemoveColumns();
    return true;
}

int CListCtrlModel::InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth)
{
    if (nCol < 0)
        return -1;
    nCol = std::min(nCol, int(m_columns.size()));
    SColumn column;
    column.m_strHeading = strHeading;
    column.m_nFormat = nFormat;
    column.m_nWidth = std::max(nWidth, 0);
    column.m_cells.resize(m_nRows); // empty spans
    FlushRows();
    beginInsertColumns(QModelIndex(), nCol, nCol);
    m_columns.insert(nCol, std::move(column));
    endInsertColumns();
    return nCol;
}

int CListCtrlModel::GetItemCount() const
{
    return m_nRows;
}

int CListCtrlModel::InsertItem(int nItem, const QString& strText)
{
    if (nItem < 0)
        return -1;
    nItem = std::min(nItem, m_nRows);
    const bool bAppend = nItem == m_nRows;
    if (bAppend)
    {
        if (!m_bFlushQueued)
        {
            m_bFlushQueued = true;
            QMetaObject::invokeMethod(this, &CListCtrlModel::FlushRows, Qt::QueuedConnection);
        }
    }
    else
    {
        FlushRows();
        beginInsertRows(QModelIndex(), nItem, nItem);
    }
    for (int nCol = 0; nCol < m_columns.size(); ++nCol)
    {
        SColumn& column = m_columns[nCol];
        const QStringView text = nCol == 0 ? QStringView(strText) : QStringView();
        if (nItem == column.m_cells.size())
        {
            column.Append(text);
        }
        else
        {
            column.m_cells.insert(nItem, column.Store(text));
        }
    }
    ++m_nRows;
    if (!bAppend)
    {
        ++m_nShownRows;
        endInsertRows();
    }
    if (nItem < m_nRows - 1 && !m_states.isEmpty())
    {
        // The selection model moves its rows along silently; so do the states the owner knows.
        QHash<int, unsigned> shifted;
        for (auto it = m_states.cbegin(); it != m_states.cend(); ++it)
            shifted.insert(it.key() >= nItem ? it.key() + 1 : it.key(), it.value());
        m_states = std::move(shifted);
    }
    return nItem;
}

bool CListCtrlModel::SetItemText(int nItem, int nSubItem, const QString& strText)
{
    if (nItem < 0 || nItem >= m_nRows || nSubItem < 0 || nSubItem >= m_columns.size())
        return false;
    m_columns[nSubItem].Set(nItem, strText);
    if (nItem < m_nShownRows)
    {
        const QModelIndex cell = createIndex(nItem, nSubItem);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
    return true;
}

QString CListCtrlModel::GetItemText(int nItem, int nSubItem) const
{
    if (nItem < 0 || nItem >= m_nRows || nSubItem < 0 || nSubItem >= m_columns.size())
        return QString();
    return m_columns[nSubItem].Text(nItem).toString();
}

void CListCtrlModel::ReserveItems(int nRows, const QList<qsizetype>& textUnits)
{
    for (qsizetype nCol = 0; nCol < m_columns.size(); ++nCol)
    {
        SColumn& column = m_columns[nCol];
        Reserve(column.m_cells, nRows);
        Reserve(column.m_text, textUnits.value(nCol));
    }
}

int CListCtrlModel::GetSelectedItem() const
{
    int nFirst = -1;
    for (const QItemSelectionRange& range : m_pSelection->selection())
    {
        if (range.isValid() && (nFirst < 0 || range.top() < nFirst))
            nFirst = range.top();
    }
    return nFirst;
}

bool CListCtrlModel::EnsureVisible(int nItem)
{
    // Without a view every row counts as visible.
    return nItem >= 0 && nItem < m_nRows;
}

bool CListCtrlModel::SelectAndFocusItem(int nItem)
{
    if (nItem < 0 || nItem >= m_nRows || m_columns.isEmpty())
        return false;
    FlushRows();
    m_pSelection->setCurrentIndex(index(nItem, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void CListCtrlModel::SetExtendedStyle(unsigned nStyles)
{
    m_nExtendedStyle = nStyles;
}

int CListCtrlModel::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < m_columns.size() ? m_columns[nCol].m_nWidth : 0;
}

int CListCtrlModel::GetColumnFormat(int nCol) const
{
    return nCol >= 0 && nCol < m_columns.size() ? m_columns[nCol].m_nFormat : LVCFMT_LEFT;
}

void CListCtrlModel::FlushRows()
{
    m_bFlushQueued = false;
    if (m_nShownRows == m_nRows)
        return;
    beginInsertRows(QModelIndex(), m_nShownRows, m_nRows - 1);
    m_nShownRows = m_nRows;
    endInsertRows();
}

int CListCtrlModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nShownRows;
}

int CListCtrlModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

namespace
{
QVariant Alignment(int nFormat)
{
    const Qt::Alignment horizontal = (nFormat & LVCFMT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    return QVariant::fromValue(horizontal | Qt::AlignVCenter);
}
} // namespace

QVariant CListCtrlModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_nShownRows || index.column() >= m_columns.size())
        return QVariant();
    switch (role)
    {
    case Qt::DisplayRole:
        return m_columns[index.column()].Text(index.row()).toString();
    case Qt::TextAlignmentRole:
        return Alignment(m_columns[index.column()].m_nFormat);
    default:
        return QVariant();
    }
}

QVariant CListCtrlModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role)
    {
    case Qt::DisplayRole:
        return m_columns[section].m_strHeading;
    case Qt::TextAlignmentRole:
        return Alignment(m_columns[section].m_nFormat);
    case kColumnWidthRole:
        return m_columns[section].m_nWidth;
    default:
        return QVariant();
    }
}

Qt::ItemFlags CListCtrlModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CListCtrlModel::NoteRow(int nRow)
{
    if (nRow >= 0)
        m_pendingRows.insert(nRow);
}

void CListCtrlModel::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QItemSelection* pRanges : {&selected, &deselected})
    {
        for (const QItemSelectionRange& range : *pRanges)
        {
            for (int nRow = range.top(); nRow <= range.bottom(); ++nRow)
                NoteRow(nRow);
        }
    }
    if (m_nBatchDepth == 0)
        SettleStates();
}

void CListCtrlModel::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    NoteRow(current.row());
    NoteRow(previous.row());
    if (m_nBatchDepth == 0)
        SettleStates();
}

unsigned CListCtrlModel::CurrentState(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return 0;
    unsigned nState = 0;
    if (m_pSelection->rowIntersectsSelection(nRow, QModelIndex()))
        nState |= LVIS_SELECTED;
    if (m_pSelection->currentIndex().row() == nRow)
        nState |= LVIS_FOCUSED;
    return nState;
}

void CListCtrlModel::SettleStates()
{
    if (m_pendingRows.isEmpty())
        return;
    QList<int> rows(m_pendingRows.cbegin(), m_pendingRows.cend());
    m_pendingRows.clear();
    std::sort(rows.begin(), rows.end());
    // Rows that lose their state are reported before rows that gain one, so the owner never sees two
    // selected rows at once.
    QList<QPair<int, unsigned>> changes;
    for (int nRow : rows)
    {
        const unsigned nNew = CurrentState(nRow);
        if (nNew == m_states.value(nRow, 0))
            continue;
        if (nNew)
            m_states.insert(nRow, nNew);
        else
            m_states.remove(nRow);
        changes.append({nRow, nNew});
    }
    std::stable_partition(changes.begin(), changes.end(), [](const auto& c) { return c.second == 0; });
    for (const auto& [nRow, nNew] : changes)
    {
        if (m_onItemChanged)
            m_onItemChanged(nRow, nNew);
    }
}
