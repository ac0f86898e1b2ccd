#include "web/WebView.h"

#include <QContextMenuEvent>
#include <QMenu>

void CWebView::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    menu->removeAction(pageAction(QWebEnginePage::SavePage));
    menu->removeAction(pageAction(QWebEnginePage::ViewSource));
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    menu->popup(e->globalPos());
}
