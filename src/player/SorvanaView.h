#pragma once
#include "platform/View.h"

class CSorvanaView : public CView
{
    Q_OBJECT
public:
    using CView::CView;
};
