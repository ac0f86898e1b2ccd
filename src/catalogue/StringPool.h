// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Shares the storage of short texts that repeat from line to line (types, languages, status marks),
// so a long channel list does not allocate, and later free, one string per repeated field. A fixed
// table: a text whose slot holds another text simply takes the slot over.
// The other texts (names, addresses, descriptions) are nearly all unique: they are copied one after
// the other into large blocks, and each string shares its block instead of having an allocation of
// its own. A block is freed with the last string that uses it, so a string stays valid wherever it
// is copied to. A list of a million channels made three million small allocations (and as many page
// faults on memory returned to the system after each reload) before.
#include "platform/HugePages.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>

class CStringPool
{
public:
    // Longer texts are nearly always unique (names, addresses, descriptions); they are not pooled.
    static constexpr qsizetype kMaxPooledLength = 24;

    QString Get(QStringView text)
    {
        if (text.isEmpty())
            return QString();
        if (text.size() > kMaxPooledLength)
            return text.toString();
        QString& slot = m_slots[qHash(text) % m_slots.size()];
        if (slot != text)
            slot = text.toString();
        return slot;
    }

    // A copy of text in the current block (a new one when it is full).
    QString Keep(QStringView text)
    {
        const qsizetype nLength = text.size();
        if (nLength == 0)
            return QString();
        // Each text ends in a null like any string's, for those who read the data as a C string.
        if (m_nBlockUsed + nLength + 1 > m_block.size())
            NewBlock(nLength + 1);
        char16_t* pText = m_pBlockData + m_nBlockUsed;
        std::copy(text.utf16(), text.utf16() + nLength, pText);
        pText[nLength] = u'\0';
        m_nBlockUsed += nLength + 1;
        QString::DataPointer& block = m_block.data_ptr();
        block.d->ref();
        return QString(QString::DataPointer(block.d, pText, nLength));
    }

private:
    static constexpr qsizetype kFirstBlockUnits = qsizetype(32) * 1024;
    static constexpr qsizetype kMaxBlockUnits = qsizetype(4) * 1024 * 1024;

    void NewBlock(qsizetype nMinUnits)
    {
        m_nNextBlockUnits = std::min(m_nNextBlockUnits * 2, kMaxBlockUnits);
        m_block = QString(std::max(nMinUnits, m_nNextBlockUnits), Qt::Uninitialized);
        m_pBlockData = reinterpret_cast<char16_t*>(m_block.data());
        hugepages::Advise(m_pBlockData, size_t(m_block.size()) * sizeof(char16_t));
        m_nBlockUsed = 0;
    }

    std::array<QString, 127> m_slots;
    QString m_block; // holds a reference of its own until the next block replaces it
    char16_t* m_pBlockData = nullptr;
    qsizetype m_nBlockUsed = 0;
    qsizetype m_nNextBlockUnits = kFirstBlockUnits / 2;
};
