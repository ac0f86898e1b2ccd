#pragma once
// Window messages between the program's windows. A message is a (message, wParam, lParam) triple
// carried by one QEvent subclass; PostMessage queues it, SendMessage delivers it at once.
#include <QEvent>
#include <QObject>
#include <QtGlobal>

using UINT = unsigned int;
using WPARAM = quintptr;
using LPARAM = qintptr;
using LRESULT = qintptr;

constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_HOTKEY = 0x0312;
constexpr UINT WM_USER = 0x0400;

class CMessageEvent : public QEvent
{
public:
    CMessageEvent(UINT message, WPARAM wParam, LPARAM lParam);
    static QEvent::Type EventType();

    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    LRESULT m_result = 0;
};

// Anything that receives messages: windows override WindowProc and forward their QObject::event()
// through DispatchMessageEvent.
class CMessageTarget
{
public:
    virtual ~CMessageTarget() = default;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Queues the message for target; false when there is no target.
bool PostMessage(QObject* target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Delivers the message to target now and returns the window's result (0 without a target).
LRESULT SendMessage(QObject* target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// For QObject::event() overrides: true when e was a message and went to target->WindowProc.
bool DispatchMessageEvent(QEvent* e, CMessageTarget* target);

// Command id and notification code of WM_COMMAND's wParam.
constexpr UINT LOWORD(WPARAM w) { return UINT(w & 0xFFFF); }
constexpr UINT HIWORD(WPARAM w) { return UINT((w >> 16) & 0xFFFF); }
