// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "context/ViewSizing.h"

#include "base/SettingsStore.h"

#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

namespace
{
QMainWindow* MainWindowOf(QWidget* pPage)
{
    auto* pMain = qobject_cast<QMainWindow*>(pPage->window());
    return pMain && pMain != pPage ? pMain : nullptr;
}

void SizeNow(QWidget* pPage, CSettingsStore& settings, QSize formSize, const settings::IntSetting& flag)
{
    if (QMainWindow* pMain = MainWindowOf(pPage); pMain && pMain->centralWidget())
    {
        const QSize want = formSize.isValid() ? formSize : pPage->size();
        const QSize area = pMain->centralWidget()->size();
        pMain->resize(pMain->width() + want.width() - area.width(),
                      pMain->height() + want.height() - area.height());
    }
    settings.Write(flag, 1);
}

// Waits for the main window's first showing; belongs to the page, so it goes when the page does.
class CSizeOnFirstShow : public QObject
{
public:
    CSizeOnFirstShow(QWidget* pPage, QMainWindow* pMain, CSettingsStore& settings, QSize formSize,
                     const settings::IntSetting& flag)
        : QObject(pPage), m_pPage(pPage), m_pMain(pMain), m_settings(settings), m_formSize(formSize), m_flag(flag)
    {
        pMain->installEventFilter(this);
    }

    bool eventFilter(QObject* pWatched, QEvent* e) override
    {
        if (pWatched == m_pMain && e->type() == QEvent::Show)
        {
            m_pMain->removeEventFilter(this);
            // The window's layout has given the areas their sizes once the show has been handled.
            QTimer::singleShot(0, this,
                               [this]
                               {
                                   if (m_settings.Read(m_flag) == 0)
                                       SizeNow(m_pPage, m_settings, m_formSize, m_flag);
                                   deleteLater();
                               });
        }
        return false;
    }

private:
    QWidget* m_pPage;
    QPointer<QMainWindow> m_pMain;
    CSettingsStore& m_settings;
    QSize m_formSize;
    settings::IntSetting m_flag;
};
} // namespace

void SizeMainWindowOnce(QWidget* pPage, CSettingsStore& settings, QSize formSize, const settings::IntSetting& flag)
{
    if (settings.Read(flag) != 0)
        return;
    QMainWindow* pMain = MainWindowOf(pPage);
    if (pMain && !pMain->isVisible())
    {
        new CSizeOnFirstShow(pPage, pMain, settings, formSize, flag);
        return;
    }
    SizeNow(pPage, settings, formSize, flag);
}
