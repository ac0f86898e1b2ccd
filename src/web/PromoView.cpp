#include "web/PromoView.h"
#include "app/Commands.h"

#include "app/AppContext.h"
#include "app/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CPromoView::CPromoView(CAppContext& context, QWidget* parent)
    : CView(parent), m_context(context), m_pWebPane(webview::AddWebPane(this, context.Settings()))
{
}

CPromoView::~CPromoView() = default;

void CPromoView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    webview::InitialUpdate(this, m_context.Settings(), settings::kPromoViewSized, WM_PROMO_NAVIGATE);
}

LRESULT CPromoView::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROMO_NAVIGATE)
    {
        m_pWebPane->Navigate2(servers::PromotionUrl());
        m_pWebPane->Refresh();
    }
    return CView::DefWindowProc(message, wParam, lParam);
}
