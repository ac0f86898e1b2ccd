// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A key-entry field for one hot key: focus it and press the combination. It holds one Windows
// virtual-key code with the HOTKEYF_* modifier bits (HOTKEYF_EXT for an extended key) and shows
// them as "Ctrl + Shift + A". While only modifiers are held it shows them alone; letting them go
// without a key brings back what it held. Backspace or Delete without modifiers empties it, and
// Tab without modifiers moves on to the next field, so those keys take a modifier to be bound.
#include <QLineEdit>

class CHotKeyCtrl : public QLineEdit
{
    Q_OBJECT
public:
    explicit CHotKeyCtrl(QWidget* parent = nullptr);

    // Only the low byte of each is kept, as the hot key control does; (0, 0) empties it.
    void SetHotKey(quint16 wVirtualKey, quint16 wModifiers);
    // Virtual key 0 and modifiers 0 when empty.
    void GetHotKey(quint16& wVirtualKey, quint16& wModifiers) const;

    // The text for a combination: "Ctrl + Shift + Alt + A"; "" for none.
    static QString HotKeyText(quint16 wVirtualKey, quint8 bModifiers);

signals:
    // The user entered or cleared a combination.
    void HotKeyChanged();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    void ShowHotKey();
    static quint8 ModifiersOf(Qt::KeyboardModifiers modifiers);

    quint8 m_bVirtualKey = 0;
    quint8 m_bModifiers = 0;
};
