#pragma once
// What the command line asks of a start: hidden (":silent"), a channel number, or a plain start.
#include <QString>
#include <QStringList>

// Show commands of the main window.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

struct SCommandLine
{
    int nCmdShow = SW_SHOW;
    // A channel number was given (nChannel holds it); only without ":silent".
    bool bHasChannel = false;
    int nChannel = -1;
};

// args: the program's arguments, the first being the program itself. strProgramPath: the program's
// full path, removed from the rest as well.
SCommandLine ParseCommandLine(const QStringList& args, const QString& strProgramPath);

// Decimal number at the start of the text, C's atoi: leading blanks, an optional sign, digits; 0
// without digits. Values beyond the int range are clamped.
int AToI(const QString& strText);
