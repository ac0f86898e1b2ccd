// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hotkeys/HotKeyCtrl.h"

#include "hotkeys/HotKeyBindings.h"
#include "platform/VirtualKeys.h"

#include <QKeyEvent>

namespace
{
bool IsModifierKey(int nKey)
{
    switch (nKey)
    {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

// X reports a modifier key's own press with the state before it; add (or on release remove) the key's
// own modifier so that the text follows the keys held.
Qt::KeyboardModifiers HeldModifiers(const QKeyEvent* e)
{
    Qt::KeyboardModifiers held = e->modifiers();
    Qt::KeyboardModifier own = Qt::NoModifier;
    if (e->key() == Qt::Key_Shift)
        own = Qt::ShiftModifier;
    else if (e->key() == Qt::Key_Control)
        own = Qt::ControlModifier;
    else if (e->key() == Qt::Key_Alt)
        own = Qt::AltModifier;
    if (own != Qt::NoModifier)
        held.setFlag(own, e->type() == QEvent::KeyPress);
    return held;
}
} // namespace

CHotKeyCtrl::CHotKeyCtrl(QWidget* parent) : QLineEdit(parent)
{
    // Typing, pasting and dropping never change the text; only key combinations do.
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setPlaceholderText(tr("None"));
}

void CHotKeyCtrl::SetHotKey(quint16 wVirtualKey, quint16 wModifiers)
{
    m_bVirtualKey = quint8(wVirtualKey & 0xFF);
    m_bModifiers = quint8(wModifiers & 0xFF);
    ShowHotKey();
}

void CHotKeyCtrl::GetHotKey(quint16& wVirtualKey, quint16& wModifiers) const
{
    wVirtualKey = m_bVirtualKey;
    wModifiers = m_bVirtualKey ? m_bModifiers : 0;
}

QString CHotKeyCtrl::HotKeyText(quint16 wVirtualKey, quint8 bModifiers)
{
    QString text;
    if (bModifiers & HOTKEYF_CONTROL)
        text += tr("Ctrl + ");
    if (bModifiers & HOTKEYF_SHIFT)
        text += tr("Shift + ");
    if (bModifiers & HOTKEYF_ALT)
        text += tr("Alt + ");
    if (wVirtualKey == 0)
        return text;
    const QString name = VirtualKeyName(wVirtualKey);
    return text + (name.isEmpty() ? QStringLiteral("0x%1").arg(wVirtualKey, 2, 16, QLatin1Char('0')) : name);
}

quint8 CHotKeyCtrl::ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    quint8 b = 0;
    if (modifiers & Qt::ShiftModifier)
        b |= HOTKEYF_SHIFT;
    if (modifiers & Qt::ControlModifier)
        b |= HOTKEYF_CONTROL;
    if (modifiers & Qt::AltModifier)
        b |= HOTKEYF_ALT;
    return b;
}

void CHotKeyCtrl::ShowHotKey()
{
    setText(m_bVirtualKey ? HotKeyText(m_bVirtualKey, m_bModifiers) : QString());
}

bool CHotKeyCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride)
    {
        // Every key belongs to the field while it has the focus, not to the window's shortcuts.
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress)
    {
        // Tab with a modifier is a combination like any other; plain Tab moves the focus.
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        {
            keyPressEvent(k);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CHotKeyCtrl::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    if (e->isAutoRepeat())
        return;
    const quint8 bModifiers = ModifiersOf(HeldModifiers(e));
    if (IsModifierKey(e->key()) || e->key() == 0 || e->key() == Qt::Key_unknown)
    {
        setText(HotKeyText(0, bModifiers));
        return;
    }
    if ((e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) && bModifiers == 0)
    {
        SetHotKey(0, 0);
        emit HotKeyChanged();
        return;
    }
    bool bExtended = false;
    const uint nVirtualKey =
        VirtualKeyFromQtKey(e->key(), e->modifiers().testFlag(Qt::KeypadModifier), &bExtended);
    if (nVirtualKey == 0 || nVirtualKey > 0xFF || e->modifiers().testFlag(Qt::MetaModifier))
    {
        // A key without a virtual key, or with the Windows key (which the field cannot show), cannot
        // be stored: keep what the field held.
        ShowHotKey();
        return;
    }
    SetHotKey(quint16(nVirtualKey), quint16(bModifiers | (bExtended ? HOTKEYF_EXT : 0)));
    emit HotKeyChanged();
}

void CHotKeyCtrl::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    if (e->isAutoRepeat() || !IsModifierKey(e->key()))
        return;
    const quint8 bModifiers = ModifiersOf(HeldModifiers(e));
    if (bModifiers)
        setText(HotKeyText(0, bModifiers));
    else
        ShowHotKey();
}

void CHotKeyCtrl::focusOutEvent(QFocusEvent* e)
{
    ShowHotKey();
    QLineEdit::focusOutEvent(e);
}

void CHotKeyCtrl::inputMethodEvent(QInputMethodEvent* e)
{
    e->ignore();
}
