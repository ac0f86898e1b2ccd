#include "web/WebModulePlugin.h"

#include "web/WebPage.h"
#include "web/WebView.h"

IWebSurface* CWebModulePlugin::CreateSurface(QWidget* parent)
{
    auto* pView = new CWebView(parent);
    pView->setPage(new CWebPage(pView));
    return pView;
}

bool CWebModulePlugin::IsNavigationAllowed(const QUrl& url, bool bMainFrame) const
{
    return CWebPage::IsNavigationAllowed(url, bMainFrame);
}
