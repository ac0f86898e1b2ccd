#pragma once
#include "platform/View.h"

class CPromoView : public CView
{
    Q_OBJECT
public:
    using CView::CView;
};
