// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "context/CommandActions.h"

#include <QAction>
#include <QPointer>

CCommandActions::CCommandActions(QObject* parent) : QObject(parent) {}

CCommandActions::~CCommandActions()
{
    // The owners may outlive the actions (a test's views); their handlers must not reach back here.
    for (auto& [nID, entry] : m_entries)
    {
        disconnect(entry.ownerGone);
        disconnect(entry.handler);
    }
}

QAction* CCommandActions::Action(UINT nID)
{
    SEntry& entry = m_entries[nID];
    if (!entry.pAction)
    {
        entry.pAction = new QAction(this);
        entry.pAction->setObjectName(QStringLiteral("Command%1").arg(nID));
        entry.pAction->setData(nID);
        entry.pAction->setEnabled(false);
        emit ActionMade(nID, entry.pAction);
    }
    return entry.pAction;
}

QAction* CCommandActions::Bind(UINT nID, QObject* owner, std::function<void()> handler)
{
    QAction* pAction = Action(nID);
    SEntry& entry = m_entries[nID];
    disconnect(entry.handler);
    disconnect(entry.ownerGone);
    entry.pOwner = owner;
    entry.handler = connect(pAction, &QAction::triggered, owner, [fn = std::move(handler)] { fn(); });
    entry.ownerGone = connect(owner, &QObject::destroyed, this,
                              [this, nID](QObject* gone)
                              {
                                  SEntry& e = m_entries[nID];
                                  if (e.pOwner == gone)
                                      Unbind(e);
                              });
    pAction->setEnabled(true);
    return pAction;
}

void CCommandActions::Unbind(SEntry& entry)
{
    disconnect(entry.handler);
    disconnect(entry.ownerGone);
    entry.pOwner = nullptr;
    entry.pAction->setChecked(false);
    entry.pAction->setEnabled(false);
}

void CCommandActions::SetEnabled(UINT nID, bool bEnabled)
{
    Action(nID)->setEnabled(bEnabled);
}

void CCommandActions::SetChecked(UINT nID, bool bChecked)
{
    QAction* pAction = Action(nID);
    pAction->setCheckable(true);
    pAction->setChecked(bChecked);
}

bool CCommandActions::IsEnabled(UINT nID)
{
    return Action(nID)->isEnabled();
}

bool CCommandActions::IsChecked(UINT nID)
{
    return Action(nID)->isChecked();
}

void CCommandActions::Trigger(UINT nID)
{
    QAction* pAction = Action(nID);
    if (pAction->isEnabled())
        pAction->trigger();
}

void CCommandActions::Post(UINT nID)
{
    QMetaObject::invokeMethod(
        this, [this, nID] { Trigger(nID); }, Qt::QueuedConnection);
}
