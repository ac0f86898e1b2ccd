// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/MpvRenderWidget.h"

#include "player/MpvVideoWindow.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVBoxLayout>

CMpvRenderWidget::CMpvRenderWidget(CMpvEngine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setMinimumSize(160, 90);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
}

CMpvRenderWidget::~CMpvRenderWidget()
{
    FreeRenderContext();
}

void CMpvRenderWidget::SetVideoWanted(bool bWanted)
{
    if (!bWanted || m_pContainer)
        return;
    m_pVideo = new CMpvVideoWindow(m_engine);
    connect(m_pVideo, &CMpvVideoWindow::DoubleClicked, this, &CMpvRenderWidget::DoubleClicked);
    // The container owns the window from here on.
    m_pContainer = QWidget::createWindowContainer(m_pVideo, this);
    m_pContainer->setObjectName(QStringLiteral("VideoWindow"));
    m_pContainer->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(m_pContainer);
    UpdateVideoVisibility();
}

void CMpvRenderWidget::UpdateVideoVisibility()
{
    // The window stays shown (its render context with it) while there is a video window at all: mpv
    // needs the context to configure its video output, which is what "vo-configured" then reports.
    // Before the picture is configured the info text would be hidden under an empty window, so the
    // window is made as small as it can be until then.
    if (!m_pContainer)
        return;
    if (m_bVideoShown)
        m_pContainer->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    else
        m_pContainer->setMaximumSize(1, 1);
    m_pContainer->show();
}

void CMpvRenderWidget::FreeRenderContext()
{
    if (m_pVideo)
        m_pVideo->FreeRenderContext();
}

bool CMpvRenderWidget::HasRenderContext() const
{
    return m_pVideo && m_pVideo->HasRenderContext();
}

void CMpvRenderWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit DoubleClicked();
}

void CMpvRenderWidget::paintEvent(QPaintEvent*)
{
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
    UpdateVideoVisibility();
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
