// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/MpvVideoWindow.h"

#include "playback/MpvEngine.h"

#include <QMouseEvent>
#include <QOpenGLContext>

CMpvVideoWindow::CMpvVideoWindow(CMpvEngine& engine) : m_engine(engine)
{
    connect(&m_engine, &CMpvEngine::FrameReady, this, [this] { update(); });
    connect(&m_engine, &CMpvEngine::RenderContextEnding, this, &CMpvVideoWindow::FreeRenderContext);
}

CMpvVideoWindow::~CMpvVideoWindow()
{
    FreeRenderContext();
    // The base class destroys the GL context later; this part of the object is gone by then.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void* CMpvVideoWindow::GetProcAddress(void*, const char* name)
{
    QOpenGLContext* pContext = QOpenGLContext::currentContext();
    return pContext ? reinterpret_cast<void*>(pContext->getProcAddress(name)) : nullptr;
}

void CMpvVideoWindow::initializeGL()
{
    if (m_bRender || !m_engine.CreateRenderContext(&CMpvVideoWindow::GetProcAddress, nullptr))
        return;
    m_bRender = true;
    // The render context belongs to this GL context and has to go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMpvVideoWindow::FreeRenderContext,
            Qt::UniqueConnection);
}

void CMpvVideoWindow::FreeRenderContext()
{
    if (!m_bRender)
        return;
    m_bRender = false;
    makeCurrent();
    m_engine.FreeRenderContext();
    doneCurrent();
}

void CMpvVideoWindow::paintGL()
{
    if (!m_bRender)
        return;
    const qreal dpr = devicePixelRatio();
    m_engine.RenderFrame(static_cast<int>(defaultFramebufferObject()), int(width() * dpr), int(height() * dpr));
}

void CMpvVideoWindow::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit DoubleClicked();
}
