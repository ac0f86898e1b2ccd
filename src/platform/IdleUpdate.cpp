#include "platform/IdleUpdate.h"

#include <algorithm>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

CIdleUpdate::CIdleUpdate(QObject* parent) : QObject(parent)
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(
            QCoreApplication::instance() ? QCoreApplication::instance()->thread() : QThread::currentThread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CIdleUpdate::OnAboutToBlock);
}

void CIdleUpdate::Add(QObject* owner, std::function<void()> fn)
{
    m_entries.push_back({owner, std::move(fn)});
    connect(owner, &QObject::destroyed, this,
            [this](QObject* gone)
            { std::erase_if(m_entries, [gone](const Entry& e) { return e.owner == gone; }); });
}

void CIdleUpdate::Remove(QObject* owner)
{
    std::erase_if(m_entries, [owner](const Entry& e) { return e.owner == owner; });
}

void CIdleUpdate::RunNow()
{
    // An update handler that pumps events would bring us back here; one pass at a time.
    if (m_bRunning)
        return;
    m_bRunning = true;
    const auto entries = m_entries; // a handler may add or remove entries
    for (const Entry& e : entries)
        if (std::any_of(m_entries.begin(), m_entries.end(),
                        [&](const Entry& x) { return x.owner == e.owner; }))
            e.fn();
    m_bRunning = false;
}

void CIdleUpdate::OnAboutToBlock()
{
    RunNow();
}
