#pragma once
// The native window that mpv draws a picture into, through its OpenGL render API. It exists only for
// streams with a picture; its GL context (and with it the GL driver) comes when it is first exposed.
#include <QOpenGLWindow>

struct mpv_handle;
struct mpv_render_context;

class CMpvVideoWindow : public QOpenGLWindow
{
    Q_OBJECT
public:
    explicit CMpvVideoWindow(mpv_handle* pMpv);
    ~CMpvVideoWindow() override;

    // Releases mpv's render context with this window's GL context current.
    void FreeRenderContext();
    bool HasRenderContext() const { return m_pRender != nullptr; }

signals:
    void RenderContextChanged(bool bAvailable);
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void initializeGL() override;
    void paintGL() override;

private:
    static void* GetProcAddress(void* pCtx, const char* name);
    // Called on one of mpv's threads: it only queues OnRenderUpdate.
    static void OnMpvRenderUpdate(void* pCtx);
    void OnRenderUpdate();

    mpv_handle* m_pMpv;
    mpv_render_context* m_pRender = nullptr;
};
