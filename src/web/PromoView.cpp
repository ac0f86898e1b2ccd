#include "web/PromoView.h"

#include "app/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CPromoView::CPromoView(QWidget* parent) : QWidget(parent), m_pWebPane(webview::AddWebPane(this)) {}

CPromoView::~CPromoView() = default;

void CPromoView::OnInitialUpdate()
{
    webview::InitialUpdate(this, settings::kPromoViewSized);
    QMetaObject::invokeMethod(this, &CPromoView::NavigateHome, Qt::QueuedConnection);
    emit StatusTextChanged(QString());
}

void CPromoView::NavigateHome()
{
    m_pWebPane->Navigate2(servers::PromotionUrl());
    m_pWebPane->Refresh();
}
