// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebViewSetup.h"

#include "context/ViewSizing.h"
#include "platform/WaitCursor.h"
#include "web/WebPane.h"

#include <QVBoxLayout>

namespace webview
{
CWebPane* AddWebPane(QWidget* pPage, CSettingsStore& settings)
{
    auto* layout = new QVBoxLayout(pPage);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pane = new CWebPane(settings, pPage);
    layout->addWidget(pane);
    return pane;
}

void InitialUpdate(QWidget* pPage, CSettingsStore& settings, const settings::IntSetting& flag)
{
    CWaitCursor wait;
    // A web page has no form size: the main window is fitted to the page as it is.
    SizeMainWindowOnce(pPage, settings, QSize(), flag);
}
} // namespace webview
