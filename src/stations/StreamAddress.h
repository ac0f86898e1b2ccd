// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which addresses the player may open. A channel list comes from a server, so an entry must never
// make the player read a local file or run anything: only network stream schemes pass.
//
// Reading udp:// or rtp:// (and srt:// in listener or rendezvous mode) binds a port of this machine
// and takes whatever any sender puts there, multicast included: a server's list, the station
// directory or a downloaded playlist must not make the program do that. Only an address the user
// typed in may.
#include <QString>
#include <QStringList>

class CStreamAddress
{
public:
    // Where an address comes from.
    enum class ESource
    {
        Outside, // a channel list, the station directory, a playlist: anything a server could write
        Typed,   // typed or pasted by the user (Add Station by Address)
    };

    // True for an absolute address with a host whose scheme is one of AllowedSchemes(). From
    // outside, an address that binds a local port is refused: udp and rtp, srt in listener or
    // rendezvous mode, and any "scheme://@..." bind form. A typed one may also name only a local
    // port (udp://@:1234, rtp://@:5004).
    static bool IsPlayable(const QString& strAddress, ESource eSource = ESource::Outside);
    // http, https, mms, mmsh, rtsp, rtmp, rtmps, rtp, srt, udp.
    static const QStringList& AllowedSchemes();
};
