#pragma once
// Shares the storage of short texts that repeat from line to line (types, languages, status marks),
// so a long channel list does not allocate, and later free, one string per repeated field. A fixed
// table: a text whose slot holds another text simply takes the slot over.
#include <QHash>
#include <QString>
#include <QStringView>

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

private:
    std::array<QString, 127> m_slots;
};
