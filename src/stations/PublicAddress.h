// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which network addresses belong to the public internet. An address that a server hands out (a
// station's logo) must not make the program reach this machine or its local network: a directory
// entry could otherwise probe the services that listen there.
#include <QString>

class QHostAddress;

// False for this machine (loopback, unspecified), the local networks (10/8, 172.16/12, 192.168/16,
// carrier-grade NAT 100.64/10, link-local 169.254/16 and fe80::/10, unique-local fc00::/7, the old
// site-local fec0::/10), multicast, broadcast and the reserved ranges; an IPv4 address inside IPv6
// (mapped, compatible, NAT64, 6to4) counts as that IPv4 address. True for every other address.
bool IsPublicAddress(const QHostAddress& address);

// Whether a host, as a URL names it, is surely on this machine or its local network without asking
// DNS: "localhost" and its subdomains, or an address that is not public.
bool IsLocalHostName(const QString& strHost);
