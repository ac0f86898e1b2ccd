#include "platform/ListCtrlWidget.h"

#include "platform/ListCtrlModel.h"
#include "platform/VirtualKeys.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

CListCtrlWidget::CListCtrlWidget(QWidget* parent) : QTableView(parent), m_pModel(new CListCtrlModel(this))
{
    setModel(m_pModel);
    // The view and the model share one selection model, so clicks and arrow keys reach the owner
    // through the same notification as SelectAndFocusItem.
    QItemSelectionModel* pOwnSelection = selectionModel();
    setSelectionModel(m_pModel->SelectionModel());
    delete pOwnSelection;

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
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

    connect(m_pModel, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int nFirst, int nLast)
            {
                for (int nCol = nFirst; nCol <= nLast; ++nCol)
                {
                    const int nWidth = m_pModel->GetColumnWidth(nCol);
                    setColumnHidden(nCol, nWidth == 0);
                    if (nWidth > 0)
                        setColumnWidth(nCol, nWidth);
                }
            });
    m_pModel->m_onItemChanged = [this](int nItem, unsigned nNewState)
    {
        if (m_onItemChanged)
            m_onItemChanged(nItem, nNewState);
    };
}

CListCtrlWidget::~CListCtrlWidget()
{
    m_pModel->m_onItemChanged = nullptr;
}

bool CListCtrlWidget::DeleteAllItems()
{
    return m_pModel->DeleteAllItems();
}

int CListCtrlWidget::GetColumnCount() const
{
    return m_pModel->GetColumnCount();
}

bool CListCtrlWidget::DeleteColumn(int nCol)
{
    return m_pModel->DeleteColumn(nCol);
}

int CListCtrlWidget::InsertColumn(int nCol, const QString& strHeading, int nFormat, int nWidth)
{
    return m_pModel->InsertColumn(nCol, strHeading, nFormat, nWidth);
}

int CListCtrlWidget::GetItemCount() const
{
    return m_pModel->GetItemCount();
}

void CListCtrlWidget::ReserveItems(int nRows, const QList<qsizetype>& textUnits)
{
    m_pModel->ReserveItems(nRows, textUnits);
}

int CListCtrlWidget::InsertItem(int nItem, const QString& strText)
{
    return m_pModel->InsertItem(nItem, strText);
}

bool CListCtrlWidget::SetItemText(int nItem, int nSubItem, const QString& strText)
{
    return m_pModel->SetItemText(nItem, nSubItem, strText);
}

QString CListCtrlWidget::GetItemText(int nItem, int nSubItem) const
{
    return m_pModel->GetItemText(nItem, nSubItem);
}

int CListCtrlWidget::GetSelectedItem() const
{
    return m_pModel->GetSelectedItem();
}

bool CListCtrlWidget::EnsureVisible(int nItem)
{
    if (nItem < 0 || nItem >= m_pModel->GetItemCount() || m_pModel->GetColumnCount() == 0)
        return false;
    m_pModel->FlushRows();
    scrollTo(m_pModel->index(nItem, 0), QAbstractItemView::EnsureVisible);
    return true;
}

bool CListCtrlWidget::SelectAndFocusItem(int nItem)
{
    return m_pModel->SelectAndFocusItem(nItem);
}

void CListCtrlWidget::SetExtendedStyle(unsigned nStyles)
{
    m_pModel->SetExtendedStyle(nStyles);
    setShowGrid((nStyles & LVS_EX_GRIDLINES) != 0);
}

void CListCtrlWidget::keyPressEvent(QKeyEvent* event)
{
    // The owner hears the key first, as with a native list, then the list moves its selection.
    const unsigned nVirtualKey =
        VirtualKeyFromQtKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (nVirtualKey && m_onKeyDown)
        m_onKeyDown(nVirtualKey);
    CListCtrlModel::CNotificationBatch batch(*m_pModel);
    QTableView::keyPressEvent(event);
}

bool CListCtrlWidget::viewportEvent(QEvent* event)
{
    // A click first moves the focus and then the selection; the owner hears the outcome once, so a
    // click on a row plays it once.
    CListCtrlModel::CNotificationBatch batch(*m_pModel);
    return QTableView::viewportEvent(event);
}
