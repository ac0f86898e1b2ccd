#pragma once
// A document template makes a document, a CChildFrame and a view of its kind.
#include "platform/Messages.h"

#include <QString>
#include <functional>

class CDocument;
class CView;
class CMDIFrameWnd;

class CDocTemplate
{
public:
    using DocumentFactory = std::function<CDocument*()>;
    using ViewFactory = std::function<CView*()>;

    // strDocString: the fields of the resource string, separated by "\n".
    CDocTemplate(UINT nIDResource, const QString& strDocString, DocumentFactory makeDocument,
                 ViewFactory makeView);

    UINT GetResourceId() const { return m_nIDResource; }
    // Field n of the document string (2 = the name shown when asked which kind of document to open).
    QString GetDocString(int nIndex) const;

    // Opens a new untitled document in a new child frame of pFrame and makes it visible; the view's
    // OnInitialUpdate runs last. Returns the document, or null.
    CDocument* OpenDocumentFile(CMDIFrameWnd* pFrame);

private:
    UINT m_nIDResource;
    QString m_strDocString;
    DocumentFactory m_makeDocument;
    ViewFactory m_makeView;
};
