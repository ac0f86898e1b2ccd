// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/WebEngineSetup.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSGRendererInterface>


// QtGui's own setter of the context that every context made with Qt::AA_ShareOpenGLContexts shares
// with; exported, but declared only in a private header.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* pContext);

namespace
{
const char kNoSanityCheck[] = "QT_OPENGL_NO_SANITY_CHECK";
const char kFlags[] = "QTWEBENGINE_CHROMIUM_FLAGS";
const char kLinuxAccessibility[] = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";
bool s_bUnsetSanityCheck = false;

// Whether the user turned the engine's sandbox off; a user's own value that Qt might read as "on"
// (not a number) counts as on, as a zygote-less renderer with the sandbox on stops the engine.
bool SandboxOff()
{
    return qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0 ||
           qEnvironmentVariable(kFlags).split(QLatin1Char(' ')).contains(QStringLiteral("--no-sandbox"));
}

// Whether the user asked for the web views to draw with the graphics card (Qt Quick's back end:
// the web views are Qt Quick scenes).
bool UserWantsGpuDrawing()
{
    const QByteArray backend = qgetenv("QT_QUICK_BACKEND");
    return (!backend.isEmpty() && backend != "software") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND");
}

// The web engine draws its pages with OpenGL in a context that must share with the contexts of the
// windows it draws into; it makes that shared context itself only when it is linked into the
// program, before the application object exists. Drawing in software it still reads the shared
// context's format at its start (and crashes without one), so then the context is only described:
// never created, it loads no driver.
void PrepareSharedOpenGLContext(bool bCreate)
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto* pContext = new QOpenGLContext;
    // Where there is no OpenGL at all, the engine draws in software.
    if (bCreate && !pContext->create())
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
} // namespace

namespace webengine
{
void Prepare()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    s_bDone = true;
    QStringList ours;
    const bool bGpu = UserWantsGpuDrawing();
    PrepareSharedOpenGLContext(bGpu);
    if (!bGpu)
    {
        // A banner and a shop's pages need no graphics card, and Qt Quick's software renderer keeps
        // the OpenGL driver out of the process (under a software OpenGL, 25 MiB of it).
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        ours << QStringLiteral("--disable-gpu");
        // The engine asks at its start whether OpenGL may be used from several threads, and Qt
        // answers by making a trial context, which loads the driver all the same; the answer does not
        // matter when nothing draws with OpenGL. Only for that question: Qt reads the variable once.
        if (!qEnvironmentVariableIsSet(kNoSanityCheck))
        {
            qputenv(kNoSanityCheck, "1");
            s_bUnsetSanityCheck = true;
        }
    }
    // The zygotes exist to start sandboxed renderers cheaply; where the sandbox is off anyway the
    // renderer is started directly, without the two zygote processes that keep 10-15 MiB.
    if (SandboxOff())
        ours << QStringLiteral("--no-zygote");
    // On Linux the engine tells screen readers nothing of its pages unless this is set (it is off
    // there for the cost of the accessibility tree). Where a screen reader already listens, the pages
    // reach it too: their text, their links, and their title as the document's name.
    if (QAccessible::isActive() && !qEnvironmentVariableIsSet(kLinuxAccessibility))
        qputenv(kLinuxAccessibility, "1");
    // The pages shown here (a banner, a shop) run little script: V8 without its optimising compiler
    // and with its smaller heap settings keeps 3.5 MiB less. Without a compiler there is no
    // WebAssembly either; saying so keeps V8 from warning on stderr that it turned it off. A user's
    // own --js-flags replace these.
    ours << QStringLiteral("--js-flags=\"--lite-mode --no-expose-wasm\"");
    // Chromium's own log, below its fatal errors, stays off the terminal (the Qt side of the engine is
    // quietened before the module is loaded: logging::QuietenWebEngine).
    ours << QStringLiteral("--log-level=3");
    qputenv(kFlags, MergedSwitches(qEnvironmentVariable(kFlags), ours).toLocal8Bit());
}

void Started()
{
    if (s_bUnsetSanityCheck)
        qunsetenv(kNoSanityCheck);
    s_bUnsetSanityCheck = false;
}

QString MergedSwitches(const QString& strUser, const QStringList& ours)
{
    QStringList all = strUser.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList given;
    for (const QString& arg : all)
        given << arg.section(QLatin1Char('='), 0, 0);
    for (const QString& arg : ours)
        if (!given.contains(arg.section(QLatin1Char('='), 0, 0)))
            all << arg;
    return all.join(QLatin1Char(' '));
}
} // namespace webengine
