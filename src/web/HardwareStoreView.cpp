#include "web/HardwareStoreView.h"
#include "app/Commands.h"

#include "app/AppContext.h"
#include "app/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CHardwareStoreView::CHardwareStoreView(CAppContext& context, QWidget* parent)
    : CView(parent), m_context(context), m_pWebPane(webview::AddWebPane(this, context.Settings()))
{
}

CHardwareStoreView::~CHardwareStoreView() = default;

void CHardwareStoreView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    webview::InitialUpdate(this, m_context.Settings(), settings::kHardwareStoreViewSized, WM_STORE_NAVIGATE);
}

LRESULT CHardwareStoreView::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STORE_NAVIGATE)
        m_pWebPane->Navigate2(servers::DownloadSiteUrl());
    return CView::DefWindowProc(message, wParam, lParam);
}
