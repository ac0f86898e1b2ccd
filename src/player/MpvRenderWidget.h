#pragma once
// The player's picture area. While mpv shows video, it draws into this widget's framebuffer through
// its OpenGL render API. Otherwise (an audio-only channel, nothing playing, an error) the widget
// paints the channel's name, the status text and the stream's current title, so a radio channel
// never looks like a dead black box.
#include <QOpenGLWidget>
#include <QString>

struct mpv_handle;
struct mpv_render_context;

class CMpvRenderWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    CMpvRenderWidget(mpv_handle* pMpv, QWidget* parent = nullptr);
    ~CMpvRenderWidget() override;

    // Whether mpv has a video output configured (the property "vo-configured").
    void SetVideoShown(bool bShown);
    void SetDisplayName(const QString& strName);
    void SetStatusText(const QString& strStatus);
    void SetStreamTitle(const QString& strTitle);

    // Releases mpv's render context with this widget's GL context current. Must run before the mpv
    // handle is destroyed; the destructor calls it too.
    void FreeRenderContext();
    bool HasRenderContext() const { return m_pRender != nullptr; }

signals:
    // mpv can show video only while there is a render context: it exists from the first showing of
    // the widget on and goes when the widget's GL context goes.
    void RenderContextChanged(bool bAvailable);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void* GetProcAddress(void* pCtx, const char* name);
    // Called on one of mpv's threads: it only queues OnRenderUpdate.
    static void OnMpvRenderUpdate(void* pCtx);
    void OnRenderUpdate();
    void PaintInfo();

    mpv_handle* m_pMpv;
    mpv_render_context* m_pRender = nullptr;
    bool m_bVideoShown = false;
    QString m_strName;
    QString m_strStatus;
    QString m_strTitle;
};
