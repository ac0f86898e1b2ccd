#pragma once
// The "More Softwares" category: the maker's software download site over the whole view.
#include "app/Commands.h"
#include "platform/View.h"

class CWebPane;

class CAppContext;

class CHardwareStoreView : public CView
{
    Q_OBJECT
public:
    explicit CHardwareStoreView(CAppContext& context, QWidget* parent = nullptr);
    ~CHardwareStoreView() override;

    void OnInitialUpdate() override;
    // WM_STORE_NAVIGATE: go to the download site.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWebPane* GetWebPane() const { return m_pWebPane; }

private:
    CAppContext& m_context;
    CWebPane* m_pWebPane;
};
