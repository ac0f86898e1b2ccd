// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The ribbon's application button: a left press or a double click asks the main window for the next
// visual look (NextLookRequested), and so does Space or Enter when it has the keyboard focus. It opens no menu
// and does nothing else.
#include <QToolButton>

class CCustomMFCRibbonApplicationButton : public QToolButton
{
    Q_OBJECT
public:
    explicit CCustomMFCRibbonApplicationButton(QWidget* parent = nullptr);

signals:
    void NextLookRequested();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    quint64 m_nLastPressTime = 0;
};
