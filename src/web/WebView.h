// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The web view of a pane, and the web module's surface (web/WebSurface.h). Its context menu leaves
// out what the program does not do with a page: saving it and showing its source (a new window of
// another scheme, which the page refuses). It tells its page when the user clicks or presses a key in
// it, which a script cannot fake.
#include "web/WebSurface.h"

#include <QWebEngineView>

class CWebView : public QWebEngineView, public IWebSurface
{
    Q_OBJECT
public:
    using QWebEngineView::QWebEngineView;

    QWidget* Widget() override { return this; }
    QObject* Page() override { return page(); }
    void Load(const QUrl& url, bool bAfresh) override;
    void ShowOwnPage(const QString& strHtml, const QUrl& baseUrl) override;
    void SetLoadObserver(LoadObserver observer) override;
    QUrl Url() const override;
    QUrl RequestedUrl() const override;
    QList<QUrl> History() const override;
    void SetLifecycle(ELifecycle eState) override;
    ELifecycle Lifecycle() const override;
    qint64 RendererPid() const override;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    // The page is drawn, and takes its input, in a child widget that the engine makes (and may make
    // anew): each one is watched as it arrives.
    void childEvent(QChildEvent* e) override;
    bool eventFilter(QObject* pWatched, QEvent* e) override;

private:
    LoadObserver m_loadObserver;
    QMetaObject::Connection m_loadEnded;
};
