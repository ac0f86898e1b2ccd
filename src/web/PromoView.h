// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Software Downloads" category: the maker's promotion site over the whole view.
#include <QWidget>

class CWebPane;

class CAppContext;

class CPromoView : public QWidget
{
    Q_OBJECT
public:
    explicit CPromoView(CAppContext& context, QWidget* parent = nullptr);
    ~CPromoView() override;

    CWebPane* GetWebPane() const { return m_pWebPane; }

signals:
    // The page shows no player status: empty once the page is up.
    void StatusTextChanged(const QString& strText);

public slots:
    // Once the page is in the main window: the first-showing sizing, then (on the next turn of the
    // event loop) the site.
    void OnInitialUpdate();
    // Go to the promotion site and load it afresh.
    void NavigateHome();

private:
    CAppContext& m_context;
    CWebPane* m_pWebPane;
};
