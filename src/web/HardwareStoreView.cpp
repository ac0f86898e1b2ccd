// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/HardwareStoreView.h"

#include "context/AppContext.h"
#include "base/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CHardwareStoreView::CHardwareStoreView(CAppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_pWebPane(webview::AddWebPane(this, context.Settings()))
{
}

CHardwareStoreView::~CHardwareStoreView() = default;

void CHardwareStoreView::OnInitialUpdate()
{
    webview::InitialUpdate(this, m_context.Settings(), settings::kHardwareStoreViewSized);
    QMetaObject::invokeMethod(this, &CHardwareStoreView::NavigateHome, Qt::QueuedConnection);
    emit StatusTextChanged(QString());
}

void CHardwareStoreView::NavigateHome()
{
    m_pWebPane->Navigate2(servers::DownloadSiteUrl());
}
