// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ChannelListView.h"

#include "catalogue/ChannelTableModel.h"
#include "platform/VirtualKeys.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

CChannelListView::CChannelListView(QWidget* parent) : QTableView(parent), m_pChannels(new CChannelTableModel(this))
{
    setModel(m_pChannels);
    QItemSelectionModel* pOwnSelection = selectionModel();
    setSelectionModel(m_pChannels->SelectionModel());
    delete pOwnSelection;

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    // Rows of one fixed height: the view never measures row contents, so 100 000 rows cost no more
    // to show than a screenful.
    QHeaderView* pRows = verticalHeader();
    pRows->hide();
    pRows->setSectionResizeMode(QHeaderView::Fixed);
    pRows->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* pColumns = horizontalHeader();
    pColumns->setSectionResizeMode(QHeaderView::Interactive);
    pColumns->setHighlightSections(false);
    pColumns->setStretchLastSection(false);
    pColumns->setMinimumSectionSize(0);

    connect(m_pChannels, &QAbstractItemModel::modelReset, this, &CChannelListView::ApplyColumnWidths);
    // A channel chosen by number, hot key or the desktop's media controls is shown where it is.
    connect(m_pChannels->SelectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current)
            {
                if (current.isValid())
                    scrollTo(current, QAbstractItemView::EnsureVisible);
            });
}

void CChannelListView::ApplyColumnWidths()
{
    for (int nCol = 0; nCol < m_pChannels->columnCount(); ++nCol)
    {
        const int nWidth = m_pChannels->headerData(nCol, Qt::Horizontal, CChannelTableModel::kColumnWidthRole).toInt();
        setColumnHidden(nCol, nWidth == 0);
        if (nWidth > 0)
            setColumnWidth(nCol, nWidth);
    }
}

void CChannelListView::keyPressEvent(QKeyEvent* event)
{
    // The owner hears the key first, as with a native list, then the list moves its selection.
    const unsigned nVirtualKey =
        VirtualKeyFromQtKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (nVirtualKey)
        emit KeyDown(nVirtualKey);
    CChannelTableModel::CNotificationBatch batch(*m_pChannels);
    QTableView::keyPressEvent(event);
}

bool CChannelListView::viewportEvent(QEvent* event)
{
    // A click first moves the focus and then the selection; the owner hears the outcome once, so a
    // click on a row plays it once.
    CChannelTableModel::CNotificationBatch batch(*m_pChannels);
    return QTableView::viewportEvent(event);
}
