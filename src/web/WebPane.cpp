// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebPane.h"

#include "base/Logging.h"
#include "base/SettingsStore.h"
#include "web/BuiltInPage.h"
#include "web/WebModule.h"

#include <QLabel>
#include <QVBoxLayout>

CWebPane::CWebPane(CSettingsStore& settings, QWidget* parent) : QWidget(parent), m_settings(settings)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_discardTimer.setSingleShot(true);
    connect(&m_discardTimer, &QTimer::timeout, this, &CWebPane::Discard);
}

CWebPane::~CWebPane() = default;

bool CWebPane::CreateWebView()
{
    if (m_pSurface)
        return true;
    IWebModule* pModule = webmodule::Get();
    if (!pModule)
    {
        // Said once, in place of the page.
        if (!findChild<QLabel*>())
        {
            auto* pLabel =
                new QLabel(tr("Web pages cannot be shown: %1").arg(webmodule::ErrorString()), this);
            pLabel->setWordWrap(true);
            pLabel->setAlignment(Qt::AlignCenter);
            layout()->addWidget(pLabel);
        }
        return false;
    }
    m_pSurface = pModule->CreateSurface(this);
    layout()->addWidget(m_pSurface->Widget());
    m_pSurface->SetLoadObserver(
        [this](IWebSurface::ELoadResult eResult, const QUrl& url)
        {
            if (eResult == IWebSurface::ELoadResult::Loaded)
                OnPageLoaded(url);
            else
                OnPageFailed(url);
        });
    return true;
}

void CWebPane::Navigate2(const QUrl& url)
{
    if (!CreateWebView())
        return;
    if (url.isEmpty())
    {
        ShowBuiltInPage(QUrl());
        return;
    }
    m_bBuiltInPage = false;
    m_pSurface->Load(url, false);
}

void CWebPane::ShowBuiltInPage(const QUrl& siteUrl)
{
    m_bBuiltInPage = true;
    m_builtInFor = siteUrl;
    // Shown as if it came from the site, so that the page's address stays the site's.
    m_pSurface->ShowOwnPage(CBuiltInPage::Html(siteUrl, palette()), siteUrl);
}

void CWebPane::OnPageLoaded(const QUrl&)
{
    m_bBuiltInPage = false;
}

void CWebPane::OnPageFailed(const QUrl& url)
{
    qCWarning(lcWeb, "the page %s could not be loaded", qUtf8Printable(url.toString()));
    ShowBuiltInPage(url);
}

void CWebPane::Refresh()
{
    if (!m_pSurface)
        return;
    if (m_bBuiltInPage)
    {
        if (!m_builtInFor.isEmpty())
            m_pSurface->Load(m_builtInFor, true);
        return;
    }
    // The engine's own reload would drop a navigation that has not yet arrived and reload the page
    // shown before it, so the page asked for (the one on its way, else the one shown) is loaded
    // again instead, past any cached copy.
    const QUrl requested = m_pSurface->RequestedUrl();
    m_pSurface->Load(requested.isEmpty() ? m_pSurface->Url() : requested, true);
}

void CWebPane::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    m_discardTimer.stop();
    if (m_pSurface)
        m_pSurface->SetLifecycle(IWebSurface::ELifecycle::Active);
}

void CWebPane::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!m_pSurface)
        return;
    m_pSurface->SetLifecycle(IWebSurface::ELifecycle::Frozen);
    m_discardTimer.start(1000 * qMax(0, m_settings.Read(settings::kWebViewDiscardSeconds)));
}

void CWebPane::Discard()
{
    if (m_pSurface && !isVisible())
        m_pSurface->SetLifecycle(IWebSurface::ELifecycle::Discarded);
}
