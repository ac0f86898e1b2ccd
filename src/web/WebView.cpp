#include "web/WebView.h"

#include "web/WebPage.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

void CWebView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    menu->removeAction(pageAction(QWebEnginePage::SavePage));
    menu->removeAction(pageAction(QWebEnginePage::ViewSource));
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    menu->popup(e->globalPos());
}

void CWebView::childEvent(QChildEvent* e)
{
    QWebEngineView::childEvent(e);
    if (e->added() && e->child()->isWidgetType())
        e->child()->installEventFilter(this);
}

bool CWebView::eventFilter(QObject* pWatched, QEvent* e)
{
    bool bGesture = false;
    if (e->type() == QEvent::MouseButtonPress)
        bGesture = true;
    else if (e->type() == QEvent::KeyPress)
    {
        // The keys that follow a link or press a button.
        const auto* key = static_cast<QKeyEvent*>(e);
        bGesture = !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                                            key->key() == Qt::Key_Space);
    }
    if (bGesture)
    {
        if (auto* pPage = qobject_cast<CWebPage*>(page()))
            pPage->NoteUserGesture();
    }
    return QWebEngineView::eventFilter(pWatched, e);
}
