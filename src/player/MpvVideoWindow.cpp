#include "player/MpvVideoWindow.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <mpv/client.h>
#include <mpv/render_gl.h>

CMpvVideoWindow::CMpvVideoWindow(mpv_handle* pMpv) : m_pMpv(pMpv) {}

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

void CMpvVideoWindow::OnMpvRenderUpdate(void* pCtx)
{
    auto* pWindow = static_cast<CMpvVideoWindow*>(pCtx);
    QMetaObject::invokeMethod(
        pWindow, [pWindow] { pWindow->OnRenderUpdate(); }, Qt::QueuedConnection);
}

void CMpvVideoWindow::OnRenderUpdate()
{
    if (m_pRender && (mpv_render_context_update(m_pRender) & MPV_RENDER_UPDATE_FRAME))
        update();
}

void CMpvVideoWindow::initializeGL()
{
    if (!m_pMpv || m_pRender)
        return;
    mpv_opengl_init_params glInit{&CMpvVideoWindow::GetProcAddress, nullptr};
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_pRender, m_pMpv, params) < 0)
    {
        m_pRender = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_pRender, &CMpvVideoWindow::OnMpvRenderUpdate, this);
    // The render context belongs to this GL context and has to go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMpvVideoWindow::FreeRenderContext,
            Qt::UniqueConnection);
    emit RenderContextChanged(true);
}

void CMpvVideoWindow::FreeRenderContext()
{
    if (!m_pRender)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(m_pRender, nullptr, nullptr);
    mpv_render_context_free(m_pRender);
    m_pRender = nullptr;
    doneCurrent();
    emit RenderContextChanged(false);
}

void CMpvVideoWindow::paintGL()
{
    if (!m_pRender)
        return;
    const qreal dpr = devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), int(width() * dpr), int(height() * dpr), 0};
    int nFlip = 1;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &nFlip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_pRender, params);
}

void CMpvVideoWindow::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit DoubleClicked();
}
