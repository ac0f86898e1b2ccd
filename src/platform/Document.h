#pragma once
// A document: the data side of one open view. Vedrix's documents hold no data; they exist so that
// commands route through them as through any document.
#include "platform/CmdTarget.h"

#include <QObject>
#include <QString>

class CDocument : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CDocument(QObject* parent = nullptr) : QObject(parent) {}
    ~CDocument() override = default;

    virtual bool OnNewDocument() { return true; }
    virtual void SetTitle(const QString& strTitle) { m_strTitle = strTitle; }
    const QString& GetTitle() const { return m_strTitle; }

private:
    QString m_strTitle;
};
