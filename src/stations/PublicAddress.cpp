// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/PublicAddress.h"

#include <QHostAddress>

namespace
{
bool IsPublicIPv4(quint32 nAddress)
{
    static constexpr struct
    {
        quint32 nNetwork;
        int nBits;
    } kNotPublic[] = {
        {0x00000000, 8},  // "this network", 0.0.0.0 included
        {0x0A000000, 8},  // private
        {0x64400000, 10}, // carrier-grade NAT
        {0x7F000000, 8},  // loopback
        {0xA9FE0000, 16}, // link-local
        {0xAC100000, 12}, // private
        {0xC0000000, 24}, // protocol assignments
        {0xC0A80000, 16}, // private
        {0xC6120000, 15}, // benchmarking
        {0xE0000000, 4},  // multicast
        {0xF0000000, 4},  // reserved, broadcast included
    };
    for (const auto& range : kNotPublic)
    {
        if ((nAddress >> (32 - range.nBits)) == (range.nNetwork >> (32 - range.nBits)))
            return false;
    }
    return true;
}

quint32 IPv4At(const Q_IPV6ADDR& bytes, int nOffset)
{
    return quint32(bytes[nOffset]) << 24 | quint32(bytes[nOffset + 1]) << 16 |
           quint32(bytes[nOffset + 2]) << 8 | quint32(bytes[nOffset + 3]);
}

bool ZeroBytes(const Q_IPV6ADDR& bytes, int nFrom, int nTo)
{
    for (int i = nFrom; i < nTo; ++i)
    {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}
} // namespace

bool IsPublicAddress(const QHostAddress& address)
{
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return IsPublicIPv4(address.toIPv4Address());
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return false;
    const Q_IPV6ADDR bytes = address.toIPv6Address();
    // ::, ::1 and the old IPv4-compatible ::a.b.c.d.
    if (ZeroBytes(bytes, 0, 12))
        return false;
    // ::ffff:a.b.c.d, mapped.
    if (ZeroBytes(bytes, 0, 10) && bytes[10] == 0xff && bytes[11] == 0xff)
        return IsPublicIPv4(IPv4At(bytes, 12));
    // 64:ff9b::a.b.c.d, the NAT64 prefix; 64:ff9b:1::/48 is for local use.
    if (bytes[0] == 0x00 && bytes[1] == 0x64 && bytes[2] == 0xff && bytes[3] == 0x9b)
        return ZeroBytes(bytes, 4, 12) && IsPublicIPv4(IPv4At(bytes, 12));
    // 2002:a.b.c.d::/48, 6to4.
    if (bytes[0] == 0x20 && bytes[1] == 0x02)
        return IsPublicIPv4(IPv4At(bytes, 2));
    // 100::/64, discard.
    if (bytes[0] == 0x01 && ZeroBytes(bytes, 1, 8))
        return false;
    if ((bytes[0] & 0xfe) == 0xfc) // unique-local
        return false;
    if (bytes[0] == 0xfe && (bytes[1] & 0x80) == 0x80) // link-local fe80::/10, site-local fec0::/10
        return false;
    if (bytes[0] == 0xff) // multicast
        return false;
    return true;
}

bool IsLocalHostName(const QString& strHost)
{
    QString strName = strHost.trimmed().toLower();
    if (strName.endsWith(u'.'))
        strName.chop(1);
    if (strName == QLatin1String("localhost") || strName.endsWith(QLatin1String(".localhost")))
        return true;
    if (strName.startsWith(u'[') && strName.endsWith(u']'))
        strName = strName.mid(1, strName.size() - 2);
    const QHostAddress address(strName);
    return !address.isNull() && !IsPublicAddress(address);
}
