#pragma once
// The sound output devices that libmpv offers (its "audio-device-list"), for the device choice and
// for the player that checks its stored device before it plays.
#include <QList>
#include <QString>

struct mpv_handle;
struct mpv_node;

namespace audiodevices
{
// mpv's name for the system's default device.
constexpr const char* kDefault = "auto";

struct SDevice
{
    QString strName;        // "pulse/alsa_output.pci-0000_00_1f.3.analog-stereo"
    QString strDescription; // "Built-in Audio Analog Stereo"
};

// The devices of an audio-device-list node, without mpv's own "auto" entry and the bare driver
// entries (they are the default again). Where PulseAudio (or PipeWire's PulseAudio server) has
// devices only those are listed: the player plays through it, and ALSA's names for the same cards
// would only confuse.
QList<SDevice> FromNode(const mpv_node& list);
// The devices of the handle's list now (asks the sound server).
QList<SDevice> Read(mpv_handle* pMpv);
// Whether the name is among the devices ("auto" always is).
bool Contains(const QList<SDevice>& devices, const QString& strName);
} // namespace audiodevices
