#include "app/StringTable.h"

#include <QHash>

namespace
{
const QHash<UINT, QString>& Table()
{
    static const QHash<UINT, QString> table = {
        {100, QStringLiteral(
                  "OLE initialization failed.  Make sure that the OLE libraries are the correct version.")},
        {101, QStringLiteral("System Tray Menu")},
        {130, QStringLiteral("\nSorvana\nSorvana\n\n\nSorvana.Document\nSorvana.Document")},
        {131, QStringLiteral("\nPromo\nPromo\n\n\nPromo.Document\nPromo.Document")},
        {133, QStringLiteral("\nHardware\nHardware\n\n\nHardware.Document\nHardware.Document")},
        {260, QStringLiteral("Click Here to Change Application Skin")},
        {286, QStringLiteral("Style")},
        {287, QStringLiteral("Modify Visual Style")},
        {288, QStringLiteral("Choose one of the Office 2007 themes")},
        {310,
         QStringLiteral("Press this button to Refresh Radio Channels List.\nRefresh Radio Channels List")},
        {317, QStringLiteral("Press this button to Stop currently playing radio channel.\nStop Radio")},
        {319, QStringLiteral("Press this button to play currently selected Radio Channel\nPlay Radio")},
        {320,
         QStringLiteral("Press this button to play Next Radio Station from the list or press F9 to Play Next "
                        "Channel when this Window is Active.\nPlay Next Radio Channel")},
        {321, QStringLiteral(
                  "Press this button to play Previous Radio Station from the list or Press F8 to Play "
                  "Previous Channel from the list when this Window is Active.\nPlay Previous Radio Channel")},
        {322, QStringLiteral("Start this Application when Windows Starts and Keep it in System Tray.\n"
                             "Start Application at Windows Startup")},
        {323, QStringLiteral("Play Last Channel Automatically on Application Startup.\nAuto Play")},
        {324,
         QStringLiteral("Hide Main Application Window. You can Restore Window using System Tray Menu of the "
                        "Application.\nHide Window to System Tray")},
        {325,
         QStringLiteral("Refresh the Channels List below and Hide or Display Radio Channels in the List.\n"
                        "Display or Hide Radio Channels")},
        {326, QStringLiteral("Refresh the Channels List below and Hide or Display TV Channels in the List.\n"
                             "Display or Hide TV Channels")},
        {334, QStringLiteral("Show a desktop notification with the channel and the song title when the song "
                             "changes.\nShow Song Notifications")},
        {57344, QStringLiteral("Vedrix by Palomer")},
        {57600, QStringLiteral("Create a new document\nNew")},
        {57601, QStringLiteral("Open an existing document\nOpen")},
        {57664, QStringLiteral("Display program information, version number and copyright\nAbout")},
    };
    return table;
}
} // namespace

QString LoadString(UINT nID)
{
    return Table().value(nID);
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
