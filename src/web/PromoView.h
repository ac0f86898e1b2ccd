#pragma once
// The "Software Downloads" category: the maker's promotion site over the whole view.
#include "app/Commands.h"
#include "platform/View.h"

class CWebPane;

class CAppContext;

class CPromoView : public CView
{
    Q_OBJECT
public:
    explicit CPromoView(CAppContext& context, QWidget* parent = nullptr);
    ~CPromoView() override;

    void OnInitialUpdate() override;
    // WM_PROMO_NAVIGATE: go to the promotion site and load it afresh.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWebPane* GetWebPane() const { return m_pWebPane; }

private:
    CAppContext& m_context;
    CWebPane* m_pWebPane;
};
