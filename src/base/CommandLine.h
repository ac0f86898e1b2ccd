// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the command line asks of a start: hidden (":silent"), a channel number, or a plain start; or
// the help or the version, or nothing it understands.
#include <QString>
#include <QStringList>

// Show commands of the main window.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

enum class ECommandLineAction
{
    Start,   // start, or hand the request to the running instance
    Help,    // print the usage and end
    Version, // print the version and end
    Refuse,  // neither ":silent" nor a channel number: say so and end
};

struct SCommandLine
{
    ECommandLineAction eAction = ECommandLineAction::Start;
    int nCmdShow = SW_SHOW;
    // A channel number was given (nChannel holds it); only without ":silent".
    bool bHasChannel = false;
    int nChannel = -1;
    // What was refused, as the user typed it.
    QString strRefused;
};

// args: the program's arguments, the first being the program itself. strProgramPath: the program's
// full path, removed from the rest as well. Qt's own options (-platform xcb, -style Fusion, -session
// ID, ...) are left to Qt.
SCommandLine ParseCommandLine(const QStringList& args, const QString& strProgramPath);

// "Vedrix 1.0".
QString VersionText();
// The usage, one form a line, for the program started under that name.
QString UsageText(const QString& strProgramName);

// What a command line that ends the program before it starts prints, and its exit code: help and
// version on standard output (0), a refusal with the usage on standard error (2). nExitCode is -1
// when the program is to start.
struct SCommandLineAnswer
{
    int nExitCode = -1;
    QString strOut;
    QString strErr;
};
SCommandLineAnswer AnswerCommandLine(const SCommandLine& commandLine, const QString& strProgramName);

// Decimal number at the start of the text, C's atoi: leading blanks, an optional sign, digits; 0
// without digits. Values beyond the int range are clamped.
int AToI(const QString& strText);
