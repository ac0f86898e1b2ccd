#pragma once
// Which addresses the player may open. A channel list comes from a server, so an entry must never
// make the player read a local file or run anything: only network stream schemes pass.
#include <QString>
#include <QStringList>

class CStreamAddress
{
public:
    // True for an absolute address with a host whose scheme is one of AllowedSchemes().
    static bool IsPlayable(const QString& strAddress);
    // http, https, mms, mmsh, rtsp, rtmp, rtmps, rtp, srt, udp.
    static const QStringList& AllowedSchemes();
};
