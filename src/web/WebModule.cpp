#include "web/WebModule.h"

#include "web/WebSurface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>

// QtGui's own setter of the context that every context made with Qt::AA_ShareOpenGLContexts shares
// with; exported, but declared only in a private header.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* pContext);

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

// The web engine draws its pages with OpenGL in a context that must share with the contexts of the
// windows it draws into; it makes that shared context itself only when it is linked into the
// program, before the application object exists, which would load the OpenGL driver into every
// start. Made here instead, just before the engine is loaded, it costs nothing until a page is shown.
void PrepareSharedOpenGLContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    // Where there is no OpenGL at all, the engine draws in software and needs no context.
    auto* pContext = new QOpenGLContext;
    if (!pContext->create())
    {
        delete pContext;
        return;
    }
    // Qt::AA_ShareOpenGLContexts, which the engine's own start-up sets too, stays unset: the engine
    // and the windows' backing stores share with the global context without it, and set after the
    // application object exists it only earns a warning.
    qt_gl_set_global_share_context(pContext);
    // It has to go while the display connection still exists, before the application's children.
    qAddPostRoutine(
        []
        {
            QOpenGLContext* pShared = QOpenGLContext::globalShareContext();
            qt_gl_set_global_share_context(nullptr);
            delete pShared;
        });
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
    PrepareSharedOpenGLContext();
    state.pLoader->setFileName(strPath);
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
