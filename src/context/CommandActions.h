// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every command of the program is one QAction, made here on first use and named by its command id
// (base/Commands.h). The ribbon, the tray menu, the shortcuts, the desktop's media controls and the
// hot keys all trigger the same action; the object that carries the command out binds its handler for
// as long as it lives and pushes the action's enabled and checked state whenever that state changes.
// An action that nothing handles is disabled and unchecked, as when the page that handles it is gone.
#include "base/Commands.h"

#include <QObject>
#include <functional>
#include <map>

class QAction;

class CCommandActions : public QObject
{
    Q_OBJECT
public:
    explicit CCommandActions(QObject* parent = nullptr);
    ~CCommandActions() override;

    // The command's action; made (disabled, without a handler) on the first call.
    QAction* Action(UINT nID);
    // The handler of the command while owner lives: the action is enabled now, and disabled and
    // unchecked once owner is destroyed. A later Bind of the same command replaces the handler.
    QAction* Bind(UINT nID, QObject* owner, std::function<void()> handler);
    // Pushed state. SetChecked makes the action two-state.
    void SetEnabled(UINT nID, bool bEnabled);
    void SetChecked(UINT nID, bool bChecked);
    bool IsEnabled(UINT nID);
    bool IsChecked(UINT nID);

    // Runs the command now, when it is enabled (a ribbon click, a shortcut).
    void Trigger(UINT nID);
    // Runs it on a later turn of the event loop, after what is running now has finished (a menu
    // choice once the menu has closed, a hot key, a call from the desktop's media controls).
    void Post(UINT nID);

signals:
    // An action was made; the ribbon and the tray pick up actions made after them.
    void ActionMade(UINT nID, QAction* pAction);

private:
    struct SEntry
    {
        QAction* pAction = nullptr;
        QObject* pOwner = nullptr;
        QMetaObject::Connection handler;
        QMetaObject::Connection ownerGone;
    };
    void Unbind(SEntry& entry);

    std::map<UINT, SEntry> m_entries;
};
