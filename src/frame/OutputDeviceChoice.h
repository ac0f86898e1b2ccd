// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Settings category's choice of the sound output device: a menu of the devices that the playback
// engine finds ("System default" first), the stored one checked. The list is read when the menu
// opens and follows devices that come and go while it is open; the menu holds the engine's core while
// it is open (the player view is not there while the Settings category is), and lets it go when it
// closes. The choice is stored; the player takes it when it is made.
#include <QObject>

class CSettingsStore;
class CPlaybackEngine;
class CPlaybackService;
class QMenu;
class QWidget;
namespace audiodevices
{
struct SDevice;
}

class COutputDeviceChoice : public QObject
{
    Q_OBJECT
public:
    COutputDeviceChoice(CSettingsStore& settings, CPlaybackService& service, QObject* parent);
    ~COutputDeviceChoice() override;

    QMenu* CreateMenu(QWidget* parent);

private:
    void OpenList();
    void CloseList();
    void Fill(const QList<audiodevices::SDevice>& devices);

    CSettingsStore& m_settings;
    CPlaybackService& m_service;
    // The engine while the menu is open.
    CPlaybackEngine* m_pEngine = nullptr;
    QMenu* m_pMenu = nullptr;
};
