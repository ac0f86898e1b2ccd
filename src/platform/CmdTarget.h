#pragma once
// Commands: a command id is executed by the first target on the routing path that has a handler
// for it; the same path answers the update query that sets an element's enabled and check state.
#include "platform/Messages.h"

#include <QString>
#include <functional>
#include <vector>

// State of one command element, filled by the update query.
class CCmdUI
{
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    virtual ~CCmdUI() = default;

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }
    void SetRadio(bool bOn = true) { m_nCheck = bOn ? 1 : 0; }

    UINT m_nID;
    bool m_bEnabled = false; // an element that no target handles stays disabled
    int m_nCheck = 0;
    bool m_bHandled = false;
};

// A target's own handlers, registered once in its constructor.
class CCommandMap
{
public:
    void On(UINT nID, std::function<void()> handler);
    void OnRange(UINT nFirst, UINT nLast, std::function<void(UINT)> handler);
    void OnUpdate(UINT nID, std::function<void(CCmdUI*)> handler);
    void OnUpdateRange(UINT nFirst, UINT nLast, std::function<void(CCmdUI*)> handler);

    // pCmdUI null: run the command handler. Otherwise the update query: the update handler if there
    // is one, else an element whose command has a handler is enabled. True when this map handled it.
    bool Dispatch(UINT nID, CCmdUI* pCmdUI) const;

private:
    struct Entry
    {
        UINT first, last;
        std::function<void(UINT)> command;
        std::function<void(CCmdUI*)> update;
    };
    std::vector<Entry> m_entries;
};

class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;
    // Routing hook: own handlers by default; frames and views extend the path.
    virtual bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI) { return m_commandMap.Dispatch(nID, pCmdUI); }

protected:
    CCommandMap m_commandMap;
};
