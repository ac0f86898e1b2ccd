// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/Logging.h"

#include <cstdio>

Q_LOGGING_CATEGORY(lcPlayer, "vedrix.player", QtWarningMsg)
Q_LOGGING_CATEGORY(lcList, "vedrix.list", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDirectory, "vedrix.directory", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHotKeys, "vedrix.hotkeys", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWeb, "vedrix.web", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "vedrix.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "vedrix.desktop", QtWarningMsg)

namespace
{
QtMessageHandler s_pNextHandler = nullptr;

// What the engine says on every start, in Qt's default category: that it was started from a plugin
// (it is: the web module, on purpose), that the sandbox is off (the user's own choice) and that it
// found no graphics card to draw with (it was told not to use one). None of it tells a user anything.
const char* const kWebEngineChatter[] = {
    "Qt WebEngine seems to be initialized from a plugin",
    "Sandboxing disabled by user",
    "No suitable graphics backend found",
};

void QuietWebEngineMessages(QtMsgType type, const QMessageLogContext& context, const QString& strMessage)
{
    if (type != QtCriticalMsg && type != QtFatalMsg && qstrcmp(context.category, "default") == 0)
    {
        for (const char* pszChatter : kWebEngineChatter)
            if (strMessage.startsWith(QLatin1String(pszChatter)))
                return;
    }
    if (s_pNextHandler)
        s_pNextHandler(type, context, strMessage);
    else
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, strMessage)));
}
} // namespace

namespace logging
{
void QuietenWebEngine()
{
    static bool s_bDone = false;
    if (s_bDone || qEnvironmentVariable("QT_LOGGING_RULES").contains(QLatin1String("webengine")))
        return;
    s_bDone = true;
    // The rules of QT_LOGGING_RULES come after these and win over them.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false\n"
                                                    "js.debug=false\njs.info=false\njs.warning=false"));
    s_pNextHandler = qInstallMessageHandler(QuietWebEngineMessages);
}
} // namespace logging
