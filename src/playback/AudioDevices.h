// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The sound output devices that the playback engine offers, for the device choice and for the output
// that checks its stored device before it plays.
#include <QList>
#include <QString>

namespace audiodevices
{
// mpv's name for the system's default device.
constexpr const char* kDefault = "auto";

struct SDevice
{
    QString strName;        // "pulse/alsa_output.pci-0000_00_1f.3.analog-stereo"
    QString strDescription; // "Built-in Audio Analog Stereo"
};

// Whether the name is among the devices ("auto" always is).
bool Contains(const QList<SDevice>& devices, const QString& strName);
} // namespace audiodevices
