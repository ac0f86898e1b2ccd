#include "frame/ViewSizing.h"

#include "app/SettingsStore.h"
#include "platform/MDIFrameWnd.h"
#include "platform/View.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace
{
void SizeNow(CView* pView, CSettingsStore& settings, const settings::IntSetting& flag)
{
    pView->FitMainWindowToView();
    settings.Write(flag, 1);
}

// Waits for the main window's first showing; belongs to the view, so it goes when the view does.
class CSizeOnFirstShow : public QObject
{
public:
    CSizeOnFirstShow(CView* pView, CMDIFrameWnd* pMain, CSettingsStore& settings,
                     const settings::IntSetting& flag)
        : QObject(pView), m_pView(pView), m_pMain(pMain), m_settings(settings), m_flag(flag)
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
                                       SizeNow(m_pView, m_settings, m_flag);
                                   deleteLater();
                               });
        }
        return false;
    }

private:
    CView* m_pView;
    QPointer<CMDIFrameWnd> m_pMain;
    CSettingsStore& m_settings;
    settings::IntSetting m_flag;
};
} // namespace

void SizeMainWindowOnce(CView* pView, CSettingsStore& settings, const settings::IntSetting& flag)
{
    if (settings.Read(flag) != 0)
        return;
    CMDIFrameWnd* pMain = pView->GetMainFrame();
    if (pMain && !pMain->isVisible())
    {
        new CSizeOnFirstShow(pView, pMain, settings, flag);
        return;
    }
    SizeNow(pView, settings, flag);
}
