// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An ordered, growable array of values, with the few operations the catalogue needs. ARG_TYPE is the
// type in which Add takes its argument (a reference, so records are copied once, into the array).
#include "platform/HugePages.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray
{
public:
    void RemoveAll() { m_items.clear(); }
    // Hands the elements over without copying them; the array is empty afterwards.
    std::vector<TYPE> Take() { return std::exchange(m_items, std::vector<TYPE>()); }
    // Appends a copy; returns the new element's index.
    qsizetype Add(ARG_TYPE item)
    {
        Grow();
        m_items.push_back(item);
        return qsizetype(m_items.size()) - 1;
    }
    // Appends by moving, for elements the caller no longer needs.
    qsizetype Add(TYPE&& item)
    {
        Grow();
        m_items.push_back(std::move(item));
        return qsizetype(m_items.size()) - 1;
    }
    // Makes room for nCount elements in all, so that adding up to that many moves none.
    void Reserve(qsizetype nCount)
    {
        if (nCount > qsizetype(m_items.capacity()))
        {
            m_items.reserve(size_t(nCount));
            hugepages::Advise(m_items.data(), m_items.capacity() * sizeof(TYPE));
        }
    }
    qsizetype GetSize() const { return qsizetype(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    const TYPE& GetAt(qsizetype nIndex) const
    {
        Q_ASSERT(nIndex >= 0 && nIndex < GetSize());
        return m_items[size_t(nIndex)];
    }
    TYPE& GetAt(qsizetype nIndex)
    {
        Q_ASSERT(nIndex >= 0 && nIndex < GetSize());
        return m_items[size_t(nIndex)];
    }
    const TYPE& operator[](qsizetype nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](qsizetype nIndex) { return GetAt(nIndex); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    void Grow()
    {
        if (m_items.size() == m_items.capacity())
            Reserve(qsizetype(std::max<size_t>(16, m_items.capacity() * 2)));
    }

    std::vector<TYPE> m_items;
};
