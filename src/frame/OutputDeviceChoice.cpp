// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/OutputDeviceChoice.h"

#include "base/SettingsStore.h"
#include "platform/PlainText.h"
#include "playback/MpvEngine.h"
#include "playback/PlaybackService.h"

#include <QActionGroup>
#include <QMenu>

COutputDeviceChoice::COutputDeviceChoice(CSettingsStore& settings, CPlaybackService& service, QObject* parent)
    : QObject(parent), m_settings(settings), m_service(service)
{
}

COutputDeviceChoice::~COutputDeviceChoice()
{
    CloseList();
}

QMenu* COutputDeviceChoice::CreateMenu(QWidget* parent)
{
    m_pMenu = new QMenu(parent);
    connect(m_pMenu, &QMenu::aboutToShow, this, &COutputDeviceChoice::OpenList);
    connect(m_pMenu, &QMenu::aboutToHide, this, &COutputDeviceChoice::CloseList);
    Fill({});
    return m_pMenu;
}

void COutputDeviceChoice::OpenList()
{
    if (!m_pEngine)
    {
        m_pEngine = &CMpvEngine::Of(m_service);
        m_pEngine->AddUser();
        connect(m_pEngine, &CPlaybackEngine::DevicesChanged, this, &COutputDeviceChoice::Fill);
    }
    Fill(m_pEngine->Devices());
}

void COutputDeviceChoice::CloseList()
{
    if (!m_pEngine)
        return;
    disconnect(m_pEngine, nullptr, this, nullptr);
    m_pEngine->RemoveUser();
    m_pEngine = nullptr;
}

void COutputDeviceChoice::Fill(const QList<audiodevices::SDevice>& devices)
{
    m_pMenu->clear();
    const QString strChosen = m_settings.Read(settings::kAudioDevice);
    auto* pGroup = new QActionGroup(m_pMenu);
    auto add = [&](const QString& strName, const QString& strLabel)
    {
        // The sound server's description, shown as it is.
        QAction* action = m_pMenu->addAction(PlainMenuText(strLabel));
        action->setCheckable(true);
        action->setChecked(strName == strChosen);
        pGroup->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, strName] { m_settings.Write(settings::kAudioDevice, strName); });
    };
    add(QString::fromLatin1(audiodevices::kDefault), tr("System default"));
    if (!devices.isEmpty())
        m_pMenu->addSeparator();
    for (const audiodevices::SDevice& device : devices)
        add(device.strName, device.strDescription);
    // The stored device while it is away: still the choice, used again when it is back.
    if (m_pEngine && m_pEngine->IsLoaded() && !audiodevices::Contains(devices, strChosen))
        add(strChosen, tr("%1 (not connected)").arg(strChosen));
}
