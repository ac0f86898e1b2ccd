#include "player/ListFilterBox.h"
#include "app/TextAreas.h"

#include "platform/ListCtrlModel.h"
#include "platform/ListCtrlWidget.h"
#include "player/ListFilter.h"

#include <QEvent>
#include <QKeyEvent>

CListFilterBox::CListFilterBox(CListCtrlWidget* pList, QWidget* pParent) : QLineEdit(pParent), m_pList(pList)
{
    setObjectName(QStringLiteral("ListFilter"));
    setPlaceholderText(text::MainWindow::tr("Filter by name, description or language"));
    setAccessibleName(text::MainWindow::tr("Filter"));
    setClearButtonEnabled(true);
    hide();
    connect(this, &QLineEdit::textChanged, this, [this] { Apply(); });
    m_pList->installEventFilter(this);
}

void CListFilterBox::Open()
{
    Place();
    show();
    raise();
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void CListFilterBox::Clear()
{
    clear();
    hide();
    Apply();
    m_pList->setFocus(Qt::OtherFocusReason);
}

void CListFilterBox::Apply()
{
    m_strFolded = FoldForFilter(text().trimmed());
    const QString& strFolded = m_strFolded;
    // Rows appended lately reach the view later, in one batch; a row must be known to be hidden.
    if (auto* pModel = qobject_cast<CListCtrlModel*>(m_pList->model()))
        pModel->FlushRows();
    const int nRows = m_pList->GetItemCount();
    for (int nRow = 0; nRow < nRows; ++nRow)
    {
        const bool bHide = !RowMatchesFilter(*m_pList, nRow, strFolded);
        if (m_pList->isRowHidden(nRow) != bHide)
            m_pList->setRowHidden(nRow, bHide);
    }
}

int CListFilterBox::NextShownRow(int nRow, int nStep) const
{
    const int nRows = m_pList->GetItemCount();
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
