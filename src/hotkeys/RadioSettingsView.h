#pragma once
#include "platform/View.h"

class CRadioSettingsView : public CView
{
    Q_OBJECT
public:
    using CView::CView;
};
