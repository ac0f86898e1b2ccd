#include "platform/CmdTarget.h"

void CCommandMap::On(UINT nID, std::function<void()> handler)
{
    m_entries.push_back({nID, nID, [h = std::move(handler)](UINT) { h(); }, nullptr});
}

void CCommandMap::OnRange(UINT nFirst, UINT nLast, std::function<void(UINT)> handler)
{
    m_entries.push_back({nFirst, nLast, std::move(handler), nullptr});
}

void CCommandMap::OnUpdate(UINT nID, std::function<void(CCmdUI*)> handler)
{
    m_entries.push_back({nID, nID, nullptr, std::move(handler)});
}

void CCommandMap::OnUpdateRange(UINT nFirst, UINT nLast, std::function<void(CCmdUI*)> handler)
{
    m_entries.push_back({nFirst, nLast, nullptr, std::move(handler)});
}

bool CCommandMap::Dispatch(UINT nID, CCmdUI* pCmdUI) const
{
    if (!pCmdUI)
    {
        for (const Entry& e : m_entries)
            if (e.command && nID >= e.first && nID <= e.last)
            {
                e.command(nID);
                return true;
            }
        return false;
    }
    for (const Entry& e : m_entries)
        if (e.update && nID >= e.first && nID <= e.last)
        {
            pCmdUI->Enable(true);
            e.update(pCmdUI);
            pCmdUI->m_bHandled = true;
            return true;
        }
    for (const Entry& e : m_entries)
        if (e.command && nID >= e.first && nID <= e.last)
        {
            pCmdUI->Enable(true);
            pCmdUI->m_bHandled = true;
            return true;
        }
    return false;
}
