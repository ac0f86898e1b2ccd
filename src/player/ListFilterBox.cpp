// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ListFilterBox.h"
#include "base/TextAreas.h"

#include "catalogue/ChannelTableModel.h"
#include "player/ChannelListView.h"
#include "player/ListFilter.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <numeric>

CListFilterBox::CListFilterBox(CChannelListView* pList, QWidget* pParent) : QLineEdit(pParent), m_pList(pList)
{
    setObjectName(QStringLiteral("ListFilter"));
    setPlaceholderText(text::MainWindow::tr("Filter by name, description or language"));
    setAccessibleName(text::MainWindow::tr("Filter"));
    setClearButtonEnabled(true);
    hide();
    connect(this, &QLineEdit::textChanged, this, [this] { Apply(); });
    m_pList->installEventFilter(this);
    // Any change of the rows makes the folded texts and the shown rows stale; they are made again
    // on the next use, not on every change (a fill appends 100 000 rows).
    QAbstractItemModel* pModel = m_pList->model();
    auto stale = [this]
    {
        m_bIndexStale = true;
        m_bShownStale = true;
    };
    connect(pModel, &QAbstractItemModel::modelReset, this, stale);
    connect(pModel, &QAbstractItemModel::rowsInserted, this, stale);
    connect(pModel, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(pModel, &QAbstractItemModel::rowsMoved, this, stale);
    connect(pModel, &QAbstractItemModel::layoutChanged, this, stale);
    connect(pModel, &QAbstractItemModel::dataChanged, this, [this] { m_bIndexStale = true; });
}

void CListFilterBox::Open()
{
    Place();
    show();
    raise();
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
    // Folding the rows now keeps that work out of the first keystroke.
    UpdateIndex();
}

void CListFilterBox::Clear()
{
    clear();
    hide();
    Apply();
    // The folded texts take about as much memory as the list's own; a next Ctrl+F folds again.
    m_index.Clear();
    m_bIndexStale = true;
    m_pList->setFocus(Qt::OtherFocusReason);
}

bool CListFilterBox::UpdateIndex()
{
    if (!m_bIndexStale)
        return false;
    m_index.Build(m_pList->Channels());
    m_bIndexStale = false;
    return true;
}

void CListFilterBox::Apply()
{
    const QString strPrevious = m_strFolded;
    m_strFolded = FoldForFilter(text().trimmed());
    std::vector<int>& found = m_found;
    const int nRows = m_pList->Channels().Count();
    if (m_strFolded.isEmpty())
    {
        found.resize(size_t(nRows));
        std::iota(found.begin(), found.end(), 0);
    }
    else
    {
        const bool bRebuilt = UpdateIndex();
        // A text that holds the previous one can only match rows that the previous one matched.
        if (!bRebuilt && !m_bShownStale && !strPrevious.isEmpty() && m_strFolded.contains(strPrevious))
            m_index.FindAmong(m_strFolded, m_shown, found);
        else
            m_index.FindAll(m_strFolded, found);
    }

    // Each hidden or shown row is a section of the vertical header. With its updates off the header
    // does not work out where the section is on screen after each one (which made hiding n rows cost
    // n passes over the whole list), and with its signals held back the view is not told of each
    // row either: it is told once, afterwards, and lays out its rows once.
    QHeaderView* pHeader = m_pList->verticalHeader();
    const bool bUpdates = pHeader->updatesEnabled();
    pHeader->setUpdatesEnabled(false);
    const bool bBlocked = pHeader->blockSignals(true);
    int nFirstChanged = -1;
    if (m_bShownStale)
    {
        // The list changed since the rows were last shown or hidden: every row is looked at.
        size_t nNext = 0;
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            const bool bShow = nNext < found.size() && found[nNext] == nRow;
            nNext += bShow ? 1 : 0;
            if (m_pList->isRowHidden(nRow) == bShow)
            {
                m_pList->setRowHidden(nRow, !bShow);
                if (nFirstChanged < 0)
                    nFirstChanged = nRow;
            }
        }
        m_bShownStale = false;
    }
    else
        nFirstChanged = ShowOnly(found);
    pHeader->blockSignals(bBlocked);
    pHeader->setUpdatesEnabled(bUpdates);
    if (nFirstChanged >= 0)
    {
        // The view's own answer to a resized row: it lays out the rows and repaints from that one
        // down, once, from the event loop.
        const int nHeight = pHeader->sectionSize(nFirstChanged);
        emit pHeader->sectionResized(nFirstChanged, nHeight, nHeight);
    }
    std::swap(m_shown, found);
}

int CListFilterBox::ShowOnly(const std::vector<int>& shown)
{
    // Both lists are ascending: one merge finds the rows that change.
    int nFirstChanged = -1;
    auto itOld = m_shown.cbegin();
    auto itNew = shown.cbegin();
    while (itOld != m_shown.cend() || itNew != shown.cend())
    {
        int nRow;
        if (itNew == shown.cend() || (itOld != m_shown.cend() && *itOld < *itNew))
            m_pList->setRowHidden(nRow = *itOld++, true);
        else if (itOld == m_shown.cend() || *itNew < *itOld)
            m_pList->setRowHidden(nRow = *itNew++, false);
        else
        {
            ++itOld, ++itNew;
            continue;
        }
        if (nFirstChanged < 0)
            nFirstChanged = nRow;
    }
    return nFirstChanged;
}

int CListFilterBox::NextShownRow(int nRow, int nStep) const
{
    const int nRows = m_pList->Channels().Count();
    if (nRows == 0)
        return -1;
    int nNext = nRow < 0 ? (nStep > 0 ? -1 : nRows) : nRow;
    for (int i = 0; i < nRows; ++i)
    {
        nNext = (nNext + nStep + nRows) % nRows;
        if (nNext == nRow)
            return -1;
        if (!m_pList->isRowHidden(nNext))
            return nNext;
    }
    return -1;
}

void CListFilterBox::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape)
    {
        Clear();
        return;
    }
    if (pEvent->key() == Qt::Key_Down || pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter)
    {
        // Into the list, where the arrow keys pick among the rows that are left.
        m_pList->setFocus(Qt::OtherFocusReason);
        return;
    }
    QLineEdit::keyPressEvent(pEvent);
}

bool CListFilterBox::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pList)
    {
        if (pEvent->type() == QEvent::Resize || pEvent->type() == QEvent::Move)
            Place();
        else if (pEvent->type() == QEvent::KeyPress && isVisible() &&
                 static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Escape)
        {
            Clear();
            return true;
        }
    }
    return QLineEdit::eventFilter(pWatched, pEvent);
}

void CListFilterBox::Place()
{
    const int nWidth = qMin(260, m_pList->width() / 2);
    const QPoint topRight = m_pList->geometry().topRight();
    setGeometry(topRight.x() - nWidth - 20, topRight.y() + 2, nWidth, sizeHint().height());
}
