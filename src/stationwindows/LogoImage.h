// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A station's logo made into a picture for a list. The bytes come from whoever entered the station,
// so only the raster formats that logos come in are read (never SVG, whose documents can make the
// reader open other files), the picture's size is read from its header before any pixel, one that
// claims more than kMaxPixels is refused, and the rest is scaled down while it is read: a small file
// that claims a giant picture costs neither time nor memory. Safe to call on any thread.
#include <QByteArray>
#include <QImage>

class CLogoImage
{
public:
    static constexpr qint64 kMaxPixels = qint64(2048) * 2048;

    // The logo fitted into nSize x nSize pixels, its aspect kept; null when data is no logo.
    static QImage Decode(const QByteArray& data, int nSize);
};
