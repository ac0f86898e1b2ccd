#include "platform/DocTemplate.h"

#include "platform/ChildFrame.h"
#include "platform/Document.h"
#include "platform/MDIFrameWnd.h"
#include "platform/View.h"

#include <QMdiArea>

CDocTemplate::CDocTemplate(UINT nIDResource, const QString& strDocString, DocumentFactory makeDocument,
                           ViewFactory makeView)
    : m_nIDResource(nIDResource), m_strDocString(strDocString), m_makeDocument(std::move(makeDocument)),
      m_makeView(std::move(makeView))
{
}

QString CDocTemplate::GetDocString(int nIndex) const
{
    const QStringList fields = m_strDocString.split(QLatin1Char('\n'));
    return nIndex >= 0 && nIndex < fields.size() ? fields[nIndex] : QString();
}

CDocument* CDocTemplate::OpenDocumentFile(CMDIFrameWnd* pFrame)
{
    if (!pFrame)
        return nullptr;
    CDocument* doc = m_makeDocument();
    if (!doc)
        return nullptr;
    if (!doc->OnNewDocument())
    {
        delete doc;
        return nullptr;
    }
    // The framework proposes "<name>1" as the title of a new untitled document.
    doc->SetTitle(GetDocString(1) + QLatin1Char('1'));

    CView* view = m_makeView();
    view->SetDocument(doc);
    doc->setParent(view); // the document lives as long as its view

    auto* child = new CChildFrame();
    child->setWidget(view);
    child->setWindowTitle(doc->GetTitle());
    pFrame->GetMDIArea()->addSubWindow(child);
    child->showMaximized();
    view->setFocus();
    view->OnInitialUpdate();
    return doc;
}
