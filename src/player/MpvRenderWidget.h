// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player's picture area. Without a picture (an audio-only channel, nothing playing, an error) it
// paints the channel's name, the status text and the stream's current title, so a radio channel never
// looks like a dead black box; that needs no OpenGL. Only when a stream brings a picture does it get
// a native child window where mpv draws through its OpenGL render API. Being a window of its own, the
// picture never changes the surface of the main window, which is created once and never replaced.
#include <QPointer>
#include <QString>
#include <QWidget>

class CMpvEngine;
class CMpvVideoWindow;

class CMpvRenderWidget : public QWidget
{
    Q_OBJECT
public:
    CMpvRenderWidget(CMpvEngine& engine, QWidget* parent = nullptr);
    ~CMpvRenderWidget() override;

    // Whether the stream has a picture to show: the video window is made (once) when it has; its
    // OpenGL context follows when it is first shown.
    void SetVideoWanted(bool bWanted);
    // Whether mpv has a video output configured (the property "vo-configured").
    void SetVideoShown(bool bShown);
    void SetDisplayName(const QString& strName);
    void SetStatusText(const QString& strStatus);
    void SetStreamTitle(const QString& strTitle);

    // Releases the engine's render context (with its GL context current). Must run before the
    // engine's core is unloaded; the destructor calls it too.
    void FreeRenderContext();
    bool HasRenderContext() const;
    bool HasVideoWindow() const { return m_pContainer != nullptr; }
    CMpvVideoWindow* VideoWindow() const { return m_pVideo; }

signals:
    // A double click on the picture (the area or its video window).
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void PaintInfo();
    void UpdateVideoVisibility();

    CMpvEngine& m_engine;
    CMpvVideoWindow* m_pVideo = nullptr;
    QPointer<QWidget> m_pContainer;
    bool m_bVideoShown = false;
    QString m_strName;
    QString m_strStatus;
    QString m_strTitle;
};
