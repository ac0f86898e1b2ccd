// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/MessageBox.h"

#include <QPointer>
#include <QWidget>
#include <deque>

namespace
{
constexpr const char* kQueueName = "MessageBoxQueue";

struct SBox
{
    QString strCaption;
    QMessageBox::Icon icon;
    QString strText;
};

// The owner's boxes that wait for the one on screen; a child of the owner, so it goes with it.
class CMessageBoxQueue : public QObject
{
public:
    explicit CMessageBoxQueue(QWidget* pOwner) : QObject(pOwner), m_pOwner(pOwner)
    {
        setObjectName(QLatin1String(kQueueName));
    }

    QMessageBox* Add(SBox box)
    {
        m_waiting.push_back(std::move(box));
        return m_pShown ? nullptr : ShowNext();
    }

private:
    QMessageBox* ShowNext()
    {
        if (m_waiting.empty())
            return nullptr;
        const SBox next = std::move(m_waiting.front());
        m_waiting.pop_front();
        auto* pBox = new QMessageBox(next.icon, next.strCaption, next.strText, QMessageBox::Ok, m_pOwner);
        pBox->setTextFormat(Qt::PlainText);
        pBox->setAttribute(Qt::WA_DeleteOnClose);
        m_pShown = pBox;
        connect(pBox, &QDialog::finished, this,
                [this]
                {
                    m_pShown = nullptr;
                    ShowNext();
                });
        pBox->open();
        return pBox;
    }

    QWidget* m_pOwner;
    QPointer<QMessageBox> m_pShown;
    std::deque<SBox> m_waiting;
};
} // namespace

QMessageBox* ShowMessageBox(QWidget* pOwner, const QString& strCaption, QMessageBox::Icon icon,
                            const QString& strText)
{
    if (!pOwner)
    {
        auto* pBox = new QMessageBox(icon, strCaption, strText, QMessageBox::Ok);
        pBox->setTextFormat(Qt::PlainText);
        pBox->setAttribute(Qt::WA_DeleteOnClose);
        pBox->setWindowModality(Qt::ApplicationModal);
        pBox->show();
        return pBox;
    }
    auto* pQueue = pOwner->findChild<CMessageBoxQueue*>(QLatin1String(kQueueName), Qt::FindDirectChildrenOnly);
    if (!pQueue)
        pQueue = new CMessageBoxQueue(pOwner);
    return pQueue->Add({strCaption, icon, strText});
}
