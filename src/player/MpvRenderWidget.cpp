#include "player/MpvRenderWidget.h"

#include <QLinearGradient>
#include <QOpenGLContext>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <mpv/client.h>
#include <mpv/render_gl.h>

CMpvRenderWidget::CMpvRenderWidget(mpv_handle* pMpv, QWidget* parent) : QOpenGLWidget(parent), m_pMpv(pMpv)
{
    setMinimumSize(160, 90);
}

CMpvRenderWidget::~CMpvRenderWidget()
{
    FreeRenderContext();
    // The base class destroys the GL context later; this part of the object is gone by then.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void* CMpvRenderWidget::GetProcAddress(void*, const char* name)
{
    QOpenGLContext* pContext = QOpenGLContext::currentContext();
    return pContext ? reinterpret_cast<void*>(pContext->getProcAddress(name)) : nullptr;
}

void CMpvRenderWidget::OnMpvRenderUpdate(void* pCtx)
{
    auto* pWidget = static_cast<CMpvRenderWidget*>(pCtx);
    QMetaObject::invokeMethod(
        pWidget, [pWidget] { pWidget->OnRenderUpdate(); }, Qt::QueuedConnection);
}

void CMpvRenderWidget::OnRenderUpdate()
{
    if (!m_pRender)
        return;
    if (mpv_render_context_update(m_pRender) & MPV_RENDER_UPDATE_FRAME)
        update();
}

void CMpvRenderWidget::initializeGL()
{
    if (!m_pMpv || m_pRender)
        return;
    mpv_opengl_init_params glInit{&CMpvRenderWidget::GetProcAddress, nullptr};
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
    mpv_render_context_set_update_callback(m_pRender, &CMpvRenderWidget::OnMpvRenderUpdate, this);
    // Moving the widget to another window replaces its GL context; the render context belongs to the
    // old one and has to go with it (initializeGL makes a new one).
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMpvRenderWidget::FreeRenderContext,
            Qt::UniqueConnection);
    emit RenderContextChanged(true);
}

void CMpvRenderWidget::FreeRenderContext()
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

void CMpvRenderWidget::paintGL()
{
    if (m_pRender && m_bVideoShown)
    {
        const qreal dpr = devicePixelRatioF();
        mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), int(width() * dpr),
                           int(height() * dpr), 0};
        int nFlip = 1;
        mpv_render_param params[]{
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &nFlip},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(m_pRender, params);
        return;
    }
    PaintInfo();
}

void CMpvRenderWidget::PaintInfo()
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    QLinearGradient background(area.topLeft(), area.bottomLeft());
    background.setColorAt(0.0, QColor(0x22, 0x2d, 0x3c));
    background.setColorAt(1.0, QColor(0x0f, 0x15, 0x1d));
    painter.fillRect(area, background);

    const qreal unit = qMin(area.height(), area.width() / 2.5);
    const bool bError = m_strStatus.startsWith(QStringLiteral("Error"));
    const QColor accent = bError ? QColor(0xf0, 0x7a, 0x6a) : QColor(0x5a, 0xb4, 0xf0);

    // A broadcast mark: a dot with waves on both sides, left of the texts.
    const QPointF centre(area.left() + unit * 0.55, area.center().y());
    QRadialGradient glow(centre, unit * 0.45);
    glow.setColorAt(0.0, QColor(accent.red(), accent.green(), accent.blue(), 70));
    glow.setColorAt(1.0, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, unit * 0.45, unit * 0.45);
    painter.setBrush(accent);
    painter.drawEllipse(centre, unit * 0.045, unit * 0.045);
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i)
    {
        const qreal r = unit * 0.09 * i;
        QColor wave = accent;
        wave.setAlphaF(1.0 - 0.25 * (i - 1));
        painter.setPen(QPen(wave, qMax<qreal>(1.5, unit * 0.022), Qt::SolidLine, Qt::RoundCap));
        const QRectF arc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        painter.drawArc(arc, -40 * 16, 80 * 16);
        painter.drawArc(arc, 140 * 16, 80 * 16);
    }

    // The texts: name large, status below it, the current title of the stream last.
    const qreal left = area.left() + unit * 1.1;
    const QRectF textArea(left, area.top() + 8, area.right() - left - 12, area.height() - 16);
    QFont nameFont = font();
    nameFont.setPixelSize(qBound(13, int(unit * 0.17), 30));
    nameFont.setBold(true);
    QFont statusFont = font();
    statusFont.setPixelSize(qBound(11, int(unit * 0.10), 18));
    QFont titleFont = statusFont;
    titleFont.setItalic(true);

    const QString strName = m_strName.isEmpty() ? QStringLiteral("Vedrix") : m_strName;
    struct Line
    {
        QString text;
        QFont font;
        QColor colour;
    };
    QList<Line> lines{{strName, nameFont, QColor(0xf2, 0xf5, 0xf8)}};
    if (!m_strStatus.isEmpty())
        lines.append({m_strStatus, statusFont, bError ? accent : QColor(0xa9, 0xb8, 0xc8)});
    if (!m_strTitle.isEmpty() && !bError)
        lines.append({QString::fromUtf8("\u266A  ") + m_strTitle, titleFont, QColor(0x8f, 0xd0, 0xff)});

    qreal total = 0;
    for (const Line& line : lines)
        total += QFontMetricsF(line.font).height() * 1.25;
    qreal y = textArea.center().y() - total / 2;
    for (const Line& line : lines)
    {
        const QFontMetricsF metrics(line.font);
        painter.setFont(line.font);
        painter.setPen(line.colour);
        const QString strShown = metrics.elidedText(line.text, Qt::ElideRight, textArea.width());
        painter.drawText(QPointF(textArea.left(), y + metrics.ascent()), strShown);
        y += metrics.height() * 1.25;
    }
}

void CMpvRenderWidget::SetVideoShown(bool bShown)
{
    if (bShown == m_bVideoShown)
        return;
    m_bVideoShown = bShown;
    update();
}

void CMpvRenderWidget::SetDisplayName(const QString& strName)
{
    m_strName = strName;
    update();
}

void CMpvRenderWidget::SetStatusText(const QString& strStatus)
{
    m_strStatus = strStatus;
    if (!m_bVideoShown)
        update();
}

void CMpvRenderWidget::SetStreamTitle(const QString& strTitle)
{
    m_strTitle = strTitle;
    if (!m_bVideoShown)
        update();
}
