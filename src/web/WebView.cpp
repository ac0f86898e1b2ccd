// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebView.h"

#include "web/WebPage.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>

void CWebView::Load(const QUrl& url, bool bAfresh)
{
    if (!bAfresh)
    {
        page()->load(url);
        return;
    }
    QWebEngineHttpRequest request(url);
    request.setHeader("Cache-Control", "no-cache");
    request.setHeader("Pragma", "no-cache");
    page()->load(request);
}

void CWebView::ShowOwnPage(const QString& strHtml, const QUrl& baseUrl)
{
    if (auto* pPage = qobject_cast<CWebPage*>(page()))
        pPage->ShowOwnPage(strHtml, baseUrl);
}

void CWebView::SetLoadObserver(LoadObserver observer)
{
    m_loadObserver = std::move(observer);
    disconnect(m_loadEnded);
    auto* pPage = qobject_cast<CWebPage*>(page());
    if (!pPage || !m_loadObserver)
        return;
    m_loadEnded = connect(
        pPage, &CWebPage::LoadEnded, this,
        [this](bool bOk, const QUrl& url)
        {
            if (m_loadObserver)
                m_loadObserver(bOk ? ELoadResult::Loaded : ELoadResult::Failed, url);
        },
        Qt::QueuedConnection);
}

QUrl CWebView::Url() const
{
    return page()->url();
}

QUrl CWebView::RequestedUrl() const
{
    return page()->requestedUrl();
}

QList<QUrl> CWebView::History() const
{
    QList<QUrl> urls;
    for (const QWebEngineHistoryItem& item : page()->history()->items())
        urls << item.url();
    return urls;
}

void CWebView::SetLifecycle(ELifecycle eState)
{
    QWebEnginePage* pPage = page();
    // A page still on screen can be neither frozen nor discarded.
    if (eState != ELifecycle::Active && pPage->isVisible())
        return;
    switch (eState)
    {
    case ELifecycle::Active:
        pPage->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        break;
    case ELifecycle::Frozen:
        pPage->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
        break;
    case ELifecycle::Discarded:
        pPage->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
        break;
    }
}

IWebSurface::ELifecycle CWebView::Lifecycle() const
{
    switch (page()->lifecycleState())
    {
    case QWebEnginePage::LifecycleState::Frozen:
        return ELifecycle::Frozen;
    case QWebEnginePage::LifecycleState::Discarded:
        return ELifecycle::Discarded;
    default:
        return ELifecycle::Active;
    }
}

qint64 CWebView::RendererPid() const
{
    return page()->renderProcessPid();
}

void CWebView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    menu->removeAction(pageAction(QWebEnginePage::SavePage));
    menu->removeAction(pageAction(QWebEnginePage::ViewSource));
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    menu->popup(e->globalPos());
}

void CWebView::childEvent(QChildEvent* e)
{
    QWebEngineView::childEvent(e);
    if (e->added() && e->child()->isWidgetType())
        e->child()->installEventFilter(this);
}

bool CWebView::eventFilter(QObject* pWatched, QEvent* e)
{
    bool bGesture = false;
    if (e->type() == QEvent::MouseButtonPress)
        bGesture = true;
    else if (e->type() == QEvent::KeyPress)
    {
        // The keys that follow a link or press a button.
        const auto* key = static_cast<QKeyEvent*>(e);
        bGesture = !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                                            key->key() == Qt::Key_Space);
    }
    if (bGesture)
    {
        if (auto* pPage = qobject_cast<CWebPage*>(page()))
            pPage->NoteUserGesture();
    }
    return QWebEngineView::eventFilter(pWatched, e);
}
