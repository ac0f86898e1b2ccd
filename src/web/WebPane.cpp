#include "web/WebPane.h"

#include "web/WebPage.h"
#include "web/WebView.h"

#include <QVBoxLayout>
#include <QWebEngineHttpRequest>

CWebPane::CWebPane(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

CWebPane::~CWebPane() = default;

void CWebPane::CreateWebView()
{
    m_pWebView = new CWebView(this);
    m_pPage = new CWebPage(m_pWebView);
    m_pWebView->setPage(m_pPage);
    layout()->addWidget(m_pWebView);
}

void CWebPane::Navigate2(const QUrl& url)
{
    if (!m_pWebView)
        CreateWebView();
    m_pPage->load(url);
}

void CWebPane::Refresh()
{
    if (!m_pPage)
        return;
    // The engine's own reload would drop a navigation that has not yet arrived and reload the page
    // shown before it, so the page asked for (the one on its way, else the one shown) is loaded
    // again instead, past any cached copy.
    const QUrl requested = m_pPage->requestedUrl();
    QWebEngineHttpRequest request(requested.isEmpty() ? m_pPage->url() : requested);
    request.setHeader("Cache-Control", "no-cache");
    request.setHeader("Pragma", "no-cache");
    m_pPage->load(request);
}
