// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "context/AppContext.h"

CAppContext::CAppContext() = default;

CAppContext::~CAppContext() = default;

void CAppContext::SetHotKeyService(std::unique_ptr<CHotKeyService> pService)
{
    m_pOwnedHotKeys = std::move(pService);
    m_pHotKeys = m_pOwnedHotKeys ? m_pOwnedHotKeys.get() : &m_refusing;
}

void CAppContext::UseHotKeyService(CHotKeyService* pService)
{
    m_pOwnedHotKeys.reset();
    m_pHotKeys = pService ? pService : &m_refusing;
}

int CAppContext::TakeStartChannel()
{
    const int nChannel = m_nStartChannel;
    m_nStartChannel = -1;
    return nChannel;
}
