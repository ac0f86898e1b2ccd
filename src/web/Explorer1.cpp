// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/Explorer1.h"

#include <QMetaObject>

CExplorer1::CExplorer1(CSettingsStore& settings, QWidget* parent) : CWebPane(settings, parent) {}

CExplorer1::~CExplorer1() = default;

void CExplorer1::Navigate2(const QString& strUrl)
{
    m_strPendingUrl = strUrl;
    if (strUrl.isEmpty())
    {
        Collapse(true);
        return;
    }
    // Hidden for want of a page: the pane comes back for the new one.
    Collapse(false);
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

void CExplorer1::OnPageLoaded(const QUrl& url)
{
    CWebPane::OnPageLoaded(url);
    Collapse(false);
}

void CExplorer1::OnPageFailed(const QUrl&)
{
    // Not the program's own page: a banner's place is not worth it.
    Collapse(true);
}

void CExplorer1::Collapse(bool bCollapse)
{
    if (bCollapse == m_bCollapsed)
        return;
    m_bCollapsed = bCollapse;
    setVisible(!bCollapse);
}

void CExplorer1::showEvent(QShowEvent* e)
{
    CWebPane::showEvent(e);
    if (!m_strPendingUrl.isEmpty())
        QueuePendingNavigation();
}
