#pragma once
// The banner pane: a web view created only when there is a page to show; navigation stays on http
// and https.
#include "web/WebPane.h"

#include <QString>

class CExplorer1 : public CWebPane
{
    Q_OBJECT
public:
    explicit CExplorer1(QWidget* parent = nullptr);
    ~CExplorer1() override;

    // Loads the page into the pane and returns at once; a page that cannot be loaded shows the
    // browser's own error page.
    void Navigate2(const QString& strUrl);
    using CWebPane::Navigate2;
};
