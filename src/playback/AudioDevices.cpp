// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/AudioDevices.h"

namespace audiodevices
{
bool Contains(const QList<SDevice>& devices, const QString& strName)
{
    if (strName == QLatin1String(kDefault))
        return true;
    for (const SDevice& device : devices)
        if (device.strName == strName)
            return true;
    return false;
}
} // namespace audiodevices
