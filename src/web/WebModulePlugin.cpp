// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebModulePlugin.h"

#include "web/WebEngineSetup.h"
#include "web/WebPage.h"
#include "web/WebView.h"

// Made when the module is loaded, before the engine's first use.
CWebModulePlugin::CWebModulePlugin()
{
    webengine::Prepare();
}

IWebSurface* CWebModulePlugin::CreateSurface(QWidget* parent)
{
    auto* pView = new CWebView(parent);
    pView->setPage(new CWebPage(pView));
    webengine::Started();
    return pView;
}

bool CWebModulePlugin::IsNavigationAllowed(const QUrl& url, bool bMainFrame) const
{
    return CWebPage::IsNavigationAllowed(url, bMainFrame);
}
