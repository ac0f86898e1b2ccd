#include "platform/Messages.h"

#include <QCoreApplication>

CMessageEvent::CMessageEvent(UINT message, WPARAM wParam, LPARAM lParam)
    : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type CMessageEvent::EventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool PostMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!target)
        return false;
    QCoreApplication::postEvent(target, new CMessageEvent(message, wParam, lParam));
    return true;
}

LRESULT SendMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!target)
        return 0;
    CMessageEvent e(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &e);
    return e.m_result;
}

bool DispatchMessageEvent(QEvent* e, CMessageTarget* target)
{
    if (e->type() != CMessageEvent::EventType())
        return false;
    auto* m = static_cast<CMessageEvent*>(e);
    m->m_result = target->WindowProc(m->m_message, m->m_wParam, m->m_lParam);
    return true;
}
