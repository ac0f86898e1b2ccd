// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebModule.h"

#include "web/WebSurface.h"

#include "base/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace
{
struct SModuleState
{
    QPluginLoader* pLoader = nullptr;
    IWebModule* pModule = nullptr;
    QString strError;
};

SModuleState& State()
{
    static SModuleState state;
    return state;
}

QStringList Candidates()
{
    const QDir here(QCoreApplication::applicationDirPath());
    return {
        here.filePath(QStringLiteral(VEDRIX_WEB_MODULE_NAME)),
        QDir::cleanPath(here.filePath(QStringLiteral(VEDRIX_WEB_MODULE_RELDIR "/" VEDRIX_WEB_MODULE_NAME)))};
}
} // namespace

namespace webmodule
{
IWebModule* Get()
{
    SModuleState& state = State();
    if (state.pModule || state.pLoader)
        return state.pModule;
    QString strPath;
    for (const QString& candidate : Candidates())
        if (QFileInfo::exists(candidate))
        {
            strPath = candidate;
            break;
        }
    state.pLoader = new QPluginLoader(qApp);
    if (strPath.isEmpty())
    {
        state.strError =
            QStringLiteral("%1 is not installed (looked for %2).")
                .arg(QStringLiteral(VEDRIX_WEB_MODULE_NAME), Candidates().join(QStringLiteral(", ")));
        return nullptr;
    }
    state.pLoader->setFileName(strPath);
    logging::QuietenWebEngine();
    state.pModule = qobject_cast<IWebModule*>(state.pLoader->instance());
    if (!state.pModule)
        state.strError = state.pLoader->errorString();
    return state.pModule;
}

bool IsLoaded()
{
    return State().pModule != nullptr;
}

QString ErrorString()
{
    return State().strError;
}
} // namespace webmodule
