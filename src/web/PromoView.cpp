// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/PromoView.h"

#include "context/AppContext.h"
#include "base/ServerAddresses.h"
#include "web/WebPane.h"
#include "web/WebViewSetup.h"

CPromoView::CPromoView(CAppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_pWebPane(webview::AddWebPane(this, context.Settings()))
{
}

CPromoView::~CPromoView() = default;

void CPromoView::OnInitialUpdate()
{
    webview::InitialUpdate(this, m_context.Settings(), settings::kPromoViewSized);
    QMetaObject::invokeMethod(this, &CPromoView::NavigateHome, Qt::QueuedConnection);
    emit StatusTextChanged(QString());
}

void CPromoView::NavigateHome()
{
    m_pWebPane->Navigate2(servers::PromotionUrl());
    m_pWebPane->Refresh();
}
