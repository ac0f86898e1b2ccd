#pragma once
#include "platform/Document.h"

class CHardwareStoreDoc : public CDocument
{
    Q_OBJECT
public:
    using CDocument::CDocument;
    // The document's title stays empty whatever the framework proposes.
    void SetTitle(const QString&) override { CDocument::SetTitle(QString()); }
};
