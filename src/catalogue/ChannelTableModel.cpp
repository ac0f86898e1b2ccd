// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/ChannelTableModel.h"

#include <QItemSelectionModel>

#include <algorithm>

// The selection model of the list. Selecting a row and making it current is one call that
// QItemSelectionModel reports as two signals; the row's new state is reported once, when the
// outermost call returns.
class CChannelSelectionModel : public QItemSelectionModel
{
public:
    explicit CChannelSelectionModel(CChannelTableModel* pModel)
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
        CChannelTableModel::CNotificationBatch batch(*m_pOwner);
        operation();
    }

    CChannelTableModel* m_pOwner;
};

CChannelTableModel::CChannelTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_pSelection(new CChannelSelectionModel(this))
{
    connect(m_pSelection, &QItemSelectionModel::selectionChanged, this, &CChannelTableModel::OnSelectionChanged);
    connect(m_pSelection, &QItemSelectionModel::currentChanged, this, &CChannelTableModel::OnCurrentChanged);
}

CChannelTableModel::~CChannelTableModel()
{
    // The selection model outlives this part of the object (it is a child): it must not call back.
    m_pSelection->disconnect(this);
}

void CChannelTableModel::SetChannels(const QStringList& headings, std::vector<CChannelRecord> records)
{
    beginResetModel();
    m_headings = headings;
    m_headings.resize(channellist::kColumnCount);
    m_records = std::move(records);
    endResetModel();
    ForgetStates();
}

void CChannelTableModel::Clear()
{
    beginResetModel();
    // Give the memory back (and the pool blocks the records hold): the next fill may be much smaller.
    std::vector<CChannelRecord>().swap(m_records);
    endResetModel();
    ForgetStates();
}

void CChannelTableModel::ForgetStates()
{
    // Rows that went are not "deselected": nobody hears about them, and a row selected after the
    // next fill is a change again.
    m_states.clear();
    m_pendingRows.clear();
}

CChannel CChannelTableModel::Channel(int nRow) const
{
    if (nRow < 0 || nRow >= Count())
        return CChannel();
    const CChannelRecord& record = Record(nRow);
    return CChannel{nRow + 1,          record.m_strName,     record.m_strUrl,
                    record.m_strType, record.m_strLanguage, record.m_strDescription};
}

int CChannelTableModel::RowOfNumber(int nNumber) const
{
    // Rows are numbered from 1 in the order shown; a filter hides rows but never renumbers them.
    return nNumber >= 1 && nNumber <= Count() ? nNumber - 1 : -1;
}

int CChannelTableModel::SelectedRow() const
{
    int nFirst = -1;
    for (const QItemSelectionRange& range : m_pSelection->selection())
    {
        if (range.isValid() && (nFirst < 0 || range.top() < nFirst))
            nFirst = range.top();
    }
    return nFirst;
}

bool CChannelTableModel::SelectRow(int nRow)
{
    if (nRow < 0 || nRow >= Count() || m_headings.isEmpty())
        return false;
    m_pSelection->setCurrentIndex(index(nRow, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

int CChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_headings.isEmpty() ? 0 : Count();
}

int CChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

namespace
{
QVariant Alignment(int nColumn)
{
    const Qt::Alignment horizontal = nColumn == channellist::kDescriptionColumn ? Qt::AlignHCenter : Qt::AlignLeft;
    return QVariant::fromValue(horizontal | Qt::AlignVCenter);
}

int ColumnWidth(int nColumn)
{
    using namespace channellist;
    static constexpr int kWidths[kColumnCount] = {kSerialWidth, kNameWidth, kDescriptionWidth, kLanguageWidth,
                                                  kUrlWidth};
    return kWidths[nColumn];
}
} // namespace

QVariant CChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    switch (role)
    {
    case Qt::DisplayRole:
    {
        const CChannelRecord& record = Record(index.row());
        switch (index.column())
        {
        case channellist::kSerialColumn:
            return QString::number(index.row() + 1);
        case channellist::kNameColumn:
            return record.m_strName;
        case channellist::kDescriptionColumn:
            return record.m_strDescription;
        case channellist::kLanguageColumn:
            return record.m_strLanguage;
        default:
            return record.m_strUrl;
        }
    }
    case Qt::TextAlignmentRole:
        return Alignment(index.column());
    default:
        return QVariant();
    }
}

QVariant CChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role)
    {
    case Qt::DisplayRole:
        return m_headings[section];
    case Qt::TextAlignmentRole:
        return Alignment(section);
    case kColumnWidthRole:
        return ColumnWidth(section);
    default:
        return QVariant();
    }
}

Qt::ItemFlags CChannelTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CChannelTableModel::NoteRow(int nRow)
{
    if (nRow >= 0)
        m_pendingRows.insert(nRow);
}

void CChannelTableModel::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
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

void CChannelTableModel::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    NoteRow(current.row());
    NoteRow(previous.row());
    if (m_nBatchDepth == 0)
        SettleStates();
}

CChannelTableModel::RowStates CChannelTableModel::CurrentState(int nRow) const
{
    RowStates states;
    if (nRow < 0 || nRow >= Count())
        return states;
    if (m_pSelection->rowIntersectsSelection(nRow, QModelIndex()))
        states |= Selected;
    if (m_pSelection->currentIndex().row() == nRow)
        states |= Focused;
    return states;
}

void CChannelTableModel::SettleStates()
{
    if (m_pendingRows.isEmpty())
        return;
    QList<int> rows(m_pendingRows.cbegin(), m_pendingRows.cend());
    m_pendingRows.clear();
    std::sort(rows.begin(), rows.end());
    QList<QPair<int, RowStates>> changes;
    for (int nRow : rows)
    {
        const RowStates states = CurrentState(nRow);
        if (states == m_states.value(nRow))
            continue;
        if (states)
            m_states.insert(nRow, states);
        else
            m_states.remove(nRow);
        changes.append({nRow, states});
    }
    std::stable_partition(changes.begin(), changes.end(), [](const auto& c) { return !c.second; });
    for (const auto& [nRow, states] : changes)
        emit RowStateChanged(nRow, states);
}
