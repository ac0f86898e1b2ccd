// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/StringTable.h"
#include "base/TextAreas.h"

#include <QHash>

namespace
{
// English here, translated when looked up: the table is built once, and a translator installed later
// must still apply.
const QHash<UINT, const char*>& Table()
{
    static const QHash<UINT, const char*> table = {
        {100, "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {101, QT_TRANSLATE_NOOP("StringTable", "System Tray Menu")},
        {130, "\nSorvana\nSorvana\n\n\nSorvana.Document\nSorvana.Document"},
        {131, "\nPromo\nPromo\n\n\nPromo.Document\nPromo.Document"},
        {133, "\nHardware\nHardware\n\n\nHardware.Document\nHardware.Document"},
        {260, QT_TRANSLATE_NOOP("StringTable", "Click Here to Change Application Skin")},
        {286, QT_TRANSLATE_NOOP("StringTable", "Style")},
        {287, QT_TRANSLATE_NOOP("StringTable", "Modify Visual Style")},
        {288, QT_TRANSLATE_NOOP("StringTable", "Choose one of the Office 2007 themes")},
        {310,
         QT_TRANSLATE_NOOP("StringTable",
                           "Press this button to Refresh Radio Channels List.\nRefresh Radio Channels List")},
        {317, QT_TRANSLATE_NOOP("StringTable",
                                "Press this button to Stop currently playing radio channel.\nStop Radio")},
        {319, QT_TRANSLATE_NOOP("StringTable",
                                "Press this button to play currently selected Radio Channel\nPlay Radio")},
        {320, QT_TRANSLATE_NOOP(
                  "StringTable",
                  "Press this button to play Next Radio Station from the list or press F9 to Play Next "
                  "Channel when this Window is Active.\nPlay Next Radio Channel")},
        {321, QT_TRANSLATE_NOOP(
                  "StringTable",
                  "Press this button to play Previous Radio Station from the list or Press F8 to Play "
                  "Previous Channel from the list when this Window is Active.\nPlay Previous Radio Channel")},
        {322, QT_TRANSLATE_NOOP("StringTable",
                                "Start this Application when the Desktop Starts and Keep it in System Tray.\n"
                                "Start Application at the Desktop Startup")},
        {323, QT_TRANSLATE_NOOP("StringTable",
                                "Play Last Channel Automatically on Application Startup.\nAuto Play")},
        {324, QT_TRANSLATE_NOOP(
                  "StringTable",
                  "Hide Main Application Window. You can Restore Window using System Tray Menu of the "
                  "Application.\nHide Window to System Tray")},
        {325,
         QT_TRANSLATE_NOOP("StringTable",
                           "Refresh the Channels List below and Hide or Display Radio Channels in the List.\n"
                           "Display or Hide Radio Channels")},
        {326,
         QT_TRANSLATE_NOOP("StringTable",
                           "Refresh the Channels List below and Hide or Display TV Channels in the List.\n"
                           "Display or Hide TV Channels")},
        {334,
         QT_TRANSLATE_NOOP("StringTable",
                           "Show a desktop notification with the channel and the song title when the song "
                           "changes.\nShow Song Notifications")},
        {57344, "Vedrix by Palomer"},
        {57600, QT_TRANSLATE_NOOP("StringTable", "Create a new document\nNew")},
        {57601, QT_TRANSLATE_NOOP("StringTable", "Open an existing document\nOpen")},
        {57664, QT_TRANSLATE_NOOP("StringTable",
                                  "Display program information, version number and copyright\nAbout")},
    };
    return table;
}
} // namespace

QString LoadString(UINT nID)
{
    const char* text = Table().value(nID);
    if (!text)
        return QString();
    // Entries without a translation (the application's name, the document type keys) come back as
    // they are.
    return text::StringTable::tr(text);
}

QString AppTitle()
{
    return LoadString(strings::IDS_APP_TITLE);
}

QString CommandDescription(UINT nID)
{
    return LoadString(nID).section(QLatin1Char('\n'), 0, 0);
}

QString CommandTooltip(UINT nID)
{
    const QString text = LoadString(nID);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}
