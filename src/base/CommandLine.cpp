// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/CommandLine.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>

int AToI(const QString& strText)
{
    qsizetype i = 0;
    const qsizetype n = strText.size();
    while (i < n && strText[i].isSpace())
        ++i;
    bool bNegative = false;
    if (i < n && (strText[i] == QLatin1Char('+') || strText[i] == QLatin1Char('-')))
        bNegative = strText[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < n && strText[i] >= QLatin1Char('0') && strText[i] <= QLatin1Char('9'); ++i)
    {
        value = value * 10 + (strText[i].unicode() - '0');
        if (value > 1LL + INT_MAX) // enough to know that it will be clamped
            value = 1LL + INT_MAX;
    }
    if (bNegative)
        value = -value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

namespace
{
// The options that QGuiApplication, QApplication and the xcb platform take out of the arguments.
// The program reads its words before the application object exists (--help needs no display), so
// it steps over them itself; a session manager restarts the program with -session ID.
constexpr const char* kQtOptionsWithValue[] = {"-platform",
                                               "-platformpluginpath",
                                               "-platformtheme",
                                               "-plugin",
                                               "-qwindowgeometry",
                                               "-geometry",
                                               "-qwindowtitle",
                                               "-title",
                                               "-qwindowicon",
                                               "-icon",
                                               "-session",
                                               "-display",
                                               "-name",
                                               "-style",
                                               "-stylesheet",
                                               "-visual"};
constexpr const char* kQtOptionsAlone[] = {"-reverse", "-widgetcount", "-testability", "-sync",
                                           "-nograb",  "-dograb",      "-cmap"};
constexpr const char* kQtOptionPrefixes[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <size_t N> bool IsOneOf(const QString& strWord, const char* const (&options)[N])
{
    return std::any_of(options, options + N,
                       [&](const char* option) { return strWord == QLatin1String(option); });
}

QStringList WithoutQtOptions(const QStringList& args)
{
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i)
    {
        // Qt reads "--platform" as "-platform".
        QString word = args[i];
        if (word.startsWith(QLatin1String("--")))
            word.remove(0, 1);
        const bool bPrefixed =
            std::any_of(std::begin(kQtOptionPrefixes), std::end(kQtOptionPrefixes),
                        [&](const char* prefix) { return word.startsWith(QLatin1String(prefix)); });
        if (IsOneOf(word, kQtOptionsWithValue) && i + 1 < args.size())
            ++i;
        else if (!IsOneOf(word, kQtOptionsAlone) && !bPrefixed)
            rest << args[i];
    }
    return rest;
}
} // namespace

SCommandLine ParseCommandLine(const QStringList& args, const QString& strProgramPath)
{
    SCommandLine result;
    const QStringList rest = WithoutQtOptions(args.mid(1));
    // The options are whole words, so that "-5" stays a channel number.
    if (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h")))
    {
        result.eAction = ECommandLineAction::Help;
        return result;
    }
    if (rest.contains(QLatin1String("--version")))
    {
        result.eAction = ECommandLineAction::Version;
        return result;
    }
    QString text = rest.join(QLatin1Char(' '));
    // The autostart entry's word; whatever stands beside it, the start is a hidden one.
    if (text.contains(QLatin1String(":silent")))
    {
        result.nCmdShow = SW_HIDE;
        return result;
    }
    // A launcher may pass the program's own path or quote the number, as Windows shortcuts do.
    if (!strProgramPath.isEmpty())
        text.remove(strProgramPath);
    text.remove(QLatin1Char('"'));
    text = text.trimmed();
    if (text.isEmpty())
        return result;
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    if (!number.match(text).hasMatch())
    {
        result.eAction = ECommandLineAction::Refuse;
        result.strRefused = rest.join(QLatin1Char(' '));
        return result;
    }
    result.bHasChannel = true;
    result.nChannel = AToI(text);
    result.nCmdShow = SW_HIDE;
    return result;
}

QString VersionText()
{
    return QStringLiteral("Vedrix " VEDRIX_VERSION);
}

QString UsageText(const QString& strProgramName)
{
    return QStringLiteral(
               "Usage: %1 [:silent | CHANNEL]\n"
               "       %1 --help | --version\n"
               "\n"
               "Vedrix plays internet radio and TV channels. One Vedrix runs at a time: a second\n"
               "start hands its request to the running one and ends.\n"
               "\n"
               "  (nothing)     show the window, or bring up the running one\n"
               "  :silent       start hidden, with only the tray icon (as the autostart entry does)\n"
               "  CHANNEL       start hidden and play the channel with that number, or have the\n"
               "                running one play it\n"
               "  -h, --help    print this help and end\n"
               "  --version     print the version and end\n")
        .arg(strProgramName);
}

SCommandLineAnswer AnswerCommandLine(const SCommandLine& commandLine, const QString& strProgramName)
{
    SCommandLineAnswer answer;
    switch (commandLine.eAction)
    {
    case ECommandLineAction::Start:
        break;
    case ECommandLineAction::Help:
        answer.nExitCode = 0;
        answer.strOut = UsageText(strProgramName);
        break;
    case ECommandLineAction::Version:
        answer.nExitCode = 0;
        answer.strOut = VersionText() + QLatin1Char('\n');
        break;
    case ECommandLineAction::Refuse:
        answer.nExitCode = 2;
        answer.strErr = QStringLiteral("%1: \"%2\" is neither :silent nor a channel number.\n\n")
                            .arg(strProgramName, commandLine.strRefused) +
                        UsageText(strProgramName);
        break;
    }
    return answer;
}
