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

// The program's private messages.
constexpr UINT WM_RENEW_STATUS_PANES = WM_USER + 1;  // main frame: renew both status pane texts
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 2;         // main frame: tray icon callback (lParam = mouse message)
constexpr UINT WM_OPEN_CATEGORY = WM_USER + 3;       // main frame: open the view of ribbon category wParam
constexpr UINT WM_PLAY_CHANNEL_NUMBER = WM_USER + 4; // running instance: channel number from a second start
constexpr UINT WM_NEXT_LOOK = WM_USER + 5;           // main frame: switch to the next visual look
constexpr UINT WM_PROMO_NAVIGATE = WM_USER + 6;      // promotion view: navigate to its page and refresh
constexpr UINT WM_STORE_NAVIGATE = WM_USER + 7;      // store view: navigate to its page
constexpr UINT WM_RELOAD_CHANNELS = WM_USER + 8;     // player view: reload the channel list file
constexpr UINT WM_OPEN_TEMPLATE = WM_USER + 9;       // main frame: open a new document of template wParam

// Mouse messages that the tray callback carries in lParam.
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONUP = 0x0205;

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
