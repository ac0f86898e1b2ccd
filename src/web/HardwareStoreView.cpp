#include "web/HardwareStoreView.h"

#include "app/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CHardwareStoreView::CHardwareStoreView(QWidget* parent) : QWidget(parent), m_pWebPane(webview::AddWebPane(this))
{
}

CHardwareStoreView::~CHardwareStoreView() = default;

void CHardwareStoreView::OnInitialUpdate()
{
    webview::InitialUpdate(this, settings::kHardwareStoreViewSized);
    QMetaObject::invokeMethod(this, &CHardwareStoreView::NavigateHome, Qt::QueuedConnection);
    emit StatusTextChanged(QString());
}

void CHardwareStoreView::NavigateHome()
{
    m_pWebPane->Navigate2(servers::DownloadSiteUrl());
}
