// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ribbon/CustomMFCRibbonApplicationButton.h"
#include "base/TextAreas.h"


#include <QKeyEvent>
#include <QMouseEvent>

CCustomMFCRibbonApplicationButton::CCustomMFCRibbonApplicationButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAutoRaise(true);
    // It shows only an icon; a screen reader needs a name for it.
    setAccessibleName(text::Ribbon::tr("Change Application Skin"));
}

void CCustomMFCRibbonApplicationButton::keyPressEvent(QKeyEvent* e)
{
    // The keyboard's press of a button: the same request as a left press of the mouse.
    if (!e->isAutoRepeat() && (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter))
    {
        emit NextLookRequested();
        e->accept();
        return;
    }
    QToolButton::keyPressEvent(e);
}

void CCustomMFCRibbonApplicationButton::keyReleaseEvent(QKeyEvent* e)
{
    // The button's own click handling never runs.
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
    {
        e->accept();
        return;
    }
    QToolButton::keyReleaseEvent(e);
}

void CCustomMFCRibbonApplicationButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
    {
        m_nLastPressTime = e->timestamp();
        emit NextLookRequested();
    }
    e->accept();
}

void CCustomMFCRibbonApplicationButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // Qt delivers the second press of a double click and then the double click itself, both from one
    // mouse event; the double click stands for that press, as it does on systems that replace it.
    const bool bSamePress = m_nLastPressTime != 0 && e->timestamp() == m_nLastPressTime;
    if (e->button() == Qt::LeftButton && !bSamePress)
        emit NextLookRequested();
    e->accept();
}

void CCustomMFCRibbonApplicationButton::mouseReleaseEvent(QMouseEvent* e)
{
    // The button's own click handling never runs.
    e->accept();
}
