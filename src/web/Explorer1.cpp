#include "web/Explorer1.h"

#include <QMetaObject>

CExplorer1::CExplorer1(QWidget* parent) : CWebPane(parent) {}

CExplorer1::~CExplorer1() = default;

void CExplorer1::Navigate2(const QString& strUrl)
{
    m_strPendingUrl = strUrl;
    if (isVisible())
        QueuePendingNavigation();
}

void CExplorer1::QueuePendingNavigation()
{
    if (m_bQueued)
        return;
    m_bQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this]
        {
            m_bQueued = false;
            if (m_strPendingUrl.isEmpty() || !isVisible())
                return;
            const QUrl url(m_strPendingUrl);
            m_strPendingUrl.clear();
            CWebPane::Navigate2(url);
        },
        Qt::QueuedConnection);
}

void CExplorer1::showEvent(QShowEvent* e)
{
    CWebPane::showEvent(e);
    if (!m_strPendingUrl.isEmpty())
        QueuePendingNavigation();
}
