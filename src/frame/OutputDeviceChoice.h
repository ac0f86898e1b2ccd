#pragma once
// The Settings category's choice of the sound output device: a menu of the devices that libmpv
// finds ("System default" first), the stored one checked. The list is read when the menu opens and
// follows devices that come and go while it is open; the player view is not there while the
// Settings category is, so the list comes from an mpv handle of the menu's own, which lives only
// while the menu is open. The choice is stored; the player takes it when it is made.
#include <QObject>

struct mpv_handle;
class CSettingsStore;
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
    COutputDeviceChoice(CSettingsStore& settings, QObject* parent);
    ~COutputDeviceChoice() override;

    QMenu* CreateMenu(QWidget* parent);

private:
    void OpenList();
    void CloseList();
    void DrainEvents();
    void Fill(const QList<audiodevices::SDevice>& devices);

    CSettingsStore& m_settings;
    mpv_handle* m_pMpv = nullptr;
    QMenu* m_pMenu = nullptr;
};
