// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The web module's entry point: the one object that web/WebModule.cpp finds in vedrix_web.so.
#include "web/WebSurface.h"

#include <QObject>

class CWebModulePlugin : public QObject, public IWebModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VEDRIX_WEB_MODULE_IID)
    Q_INTERFACES(IWebModule)
public:
    CWebModulePlugin();
    IWebSurface* CreateSurface(QWidget* parent) override;
    bool IsNavigationAllowed(const QUrl& url, bool bMainFrame) const override;
};
