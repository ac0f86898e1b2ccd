// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The native window that the playback engine draws a picture into, through its OpenGL render context.
// It exists only for streams with a picture; its GL context (and with it the GL driver) comes when it
// is first exposed.
#include <QOpenGLWindow>

class CMpvEngine;

class CMpvVideoWindow : public QOpenGLWindow
{
    Q_OBJECT
public:
    explicit CMpvVideoWindow(CMpvEngine& engine);
    ~CMpvVideoWindow() override;

    // Releases the engine's render context with this window's GL context current.
    void FreeRenderContext();
    bool HasRenderContext() const { return m_bRender; }

signals:
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void initializeGL() override;
    void paintGL() override;

private:
    static void* GetProcAddress(void* pCtx, const char* name);

    CMpvEngine& m_engine;
    // The engine's render context belongs to this window's GL context.
    bool m_bRender = false;
};
