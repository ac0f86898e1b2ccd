#pragma once
#include "platform/View.h"

class CHardwareStoreView : public CView
{
    Q_OBJECT
public:
    using CView::CView;
};
