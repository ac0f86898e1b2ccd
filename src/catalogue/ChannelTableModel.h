// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The channels of the player's list as a table: one row per channel record, numbered from 1 in the
// order shown, in five columns (serial number, name, description, language, and the stream address,
// hidden). The maker's list and My Stations both fill it, so the player, the hot keys and the
// desktop's media controls act on whichever is shown. A channel is found by its number and read
// from its record; the cells are only what a view shows of it.
//
// The records share the catalogue's pooled storage (a name or an address is a view of a pool block,
// not a string of its own), so a fill of 100 000 channels copies no text.
//
// Selection and focus live in the model's QItemSelectionModel, which a view shares. Whenever a row's
// selected/focused state ends up different from what was last reported, RowStateChanged reports the
// row's new state, once per change, whether the change came from code or from the user.
#include "catalogue/ChannelRecord.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <vector>

class QItemSelection;
class QItemSelectionModel;

// The columns, their widths in pixels (0: hidden) and their order.
namespace channellist
{
constexpr int kSerialColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kDescriptionColumn = 2;
constexpr int kLanguageColumn = 3;
constexpr int kUrlColumn = 4;
constexpr int kColumnCount = 5;
constexpr int kSerialWidth = 50;
constexpr int kNameWidth = 150;
constexpr int kDescriptionWidth = 300;
constexpr int kLanguageWidth = 150;
constexpr int kUrlWidth = 0;
} // namespace channellist

// One channel as the player hands it on: its number in the list shown and what its record says.
struct CChannel
{
    int m_nNumber = 0; // 1 for the first row; 0: no channel
    QString m_strName;
    QString m_strUrl;
    QString m_strType; // "Radio", "TV", anything else, or empty (My Stations)
    QString m_strLanguage;
    QString m_strDescription;

    bool IsValid() const { return m_nNumber > 0; }
};

class CChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Header data role with a column's width in pixels (0 = hidden column).
    static constexpr int kColumnWidthRole = Qt::UserRole + 1;

    enum ERowState
    {
        Selected = 0x1,
        Focused = 0x2,
    };
    Q_DECLARE_FLAGS(RowStates, ERowState)

    explicit CChannelTableModel(QObject* parent = nullptr);
    ~CChannelTableModel() override;

    // Replaces the rows and the column titles (one per column; missing ones are empty) in one reset
    // of the views. The
    // selection goes with the old rows, unreported: a row selected afterwards is a change again.
    void SetChannels(const QStringList& headings, std::vector<CChannelRecord> records);
    // Removes every row; the columns stay.
    void Clear();

    int Count() const { return int(m_records.size()); }
    const CChannelRecord& Record(int nRow) const { return m_records[size_t(nRow)]; }
    // The channel of a row; an invalid one (number 0) when there is no such row.
    CChannel Channel(int nRow) const;
    // The row of channel number nNumber, -1 if the list has none.
    int RowOfNumber(int nNumber) const;

    QItemSelectionModel* SelectionModel() const { return m_pSelection; }
    // The selected row (the list has single selection), -1 if none.
    int SelectedRow() const;
    // Makes the row the selected and focused one; false (and nothing changed) if there is none.
    bool SelectRow(int nRow);

    // Holds back RowStateChanged while it lives; the rows whose state differs from what was
    // reported are reported when the outermost batch ends. A view wraps each mouse and key event in
    // one, as one click moves the focus and the selection in separate steps.
    class CNotificationBatch
    {
    public:
        explicit CNotificationBatch(CChannelTableModel& model) : m_model(model) { ++m_model.m_nBatchDepth; }
        ~CNotificationBatch()
        {
            if (--m_model.m_nBatchDepth == 0)
                m_model.SettleStates();
        }
        CNotificationBatch(const CNotificationBatch&) = delete;
        CNotificationBatch& operator=(const CNotificationBatch&) = delete;

    private:
        CChannelTableModel& m_model;
    };

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Rows losing a state are reported before rows gaining one, so no two rows are ever selected.
    void RowStateChanged(int nRow, CChannelTableModel::RowStates states);

private:
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void NoteRow(int nRow);
    // Compares the noted rows' states with what was reported and reports the differences.
    void SettleStates();
    RowStates CurrentState(int nRow) const;
    void ForgetStates();

    QStringList m_headings; // empty until the first fill: no columns
    std::vector<CChannelRecord> m_records;
    QItemSelectionModel* m_pSelection;
    QHash<int, RowStates> m_states; // rows whose reported state is not empty
    QSet<int> m_pendingRows;        // rows whose state may have changed since the last settle
    int m_nBatchDepth = 0;          // > 0 while notifications are held back
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CChannelTableModel::RowStates)
