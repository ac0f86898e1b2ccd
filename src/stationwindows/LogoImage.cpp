// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stationwindows/LogoImage.h"

#include <QBuffer>
#include <QImageReader>

QImage CLogoImage::Decode(const QByteArray& data, int nSize)
{
    if (data.isEmpty() || nSize < 1)
        return {};
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    // The format by the content alone, and only one of these.
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    static const QByteArrayList kFormats{"png", "jpeg", "jpg", "gif", "ico", "bmp", "webp"};
    if (!kFormats.contains(reader.format().toLower()))
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    QSize scaled = size;
    if (size.width() > nSize || size.height() > nSize)
        scaled = size.scaled(nSize, nSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    reader.setScaledSize(scaled);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return image;
}
