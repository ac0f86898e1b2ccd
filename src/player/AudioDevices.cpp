#include "player/AudioDevices.h"

#include <mpv/client.h>

namespace
{
QString MapString(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return {};
    for (int i = 0; i < map.u.list->num; ++i)
    {
        const mpv_node& value = map.u.list->values[i];
        if (qstrcmp(map.u.list->keys[i], key) == 0 && value.format == MPV_FORMAT_STRING)
            return QString::fromUtf8(value.u.string);
    }
    return {};
}
} // namespace

namespace audiodevices
{
QList<SDevice> FromNode(const mpv_node& list)
{
    QList<SDevice> all;
    if (list.format != MPV_FORMAT_NODE_ARRAY)
        return all;
    for (int i = 0; i < list.u.list->num; ++i)
    {
        const mpv_node& entry = list.u.list->values[i];
        SDevice device{MapString(entry, "name"), MapString(entry, "description")};
        if (!device.strName.contains(QLatin1Char('/')))
            continue;
        if (device.strDescription.isEmpty())
            device.strDescription = device.strName;
        all.append(device);
    }
    QList<SDevice> pulse;
    for (const SDevice& device : all)
        if (device.strName.startsWith(QLatin1String("pulse/")))
            pulse.append(device);
    return pulse.isEmpty() ? all : pulse;
}

QList<SDevice> Read(mpv_handle* pMpv)
{
    if (!pMpv)
        return {};
    mpv_node list{};
    if (mpv_get_property(pMpv, "audio-device-list", MPV_FORMAT_NODE, &list) < 0)
        return {};
    QList<SDevice> devices = FromNode(list);
    mpv_free_node_contents(&list);
    return devices;
}

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
