#include "frame/OutputDeviceChoice.h"

#include "app/SettingsStore.h"
#include "platform/PlainText.h"
#include "player/AudioDevices.h"

#include <QActionGroup>
#include <QMenu>
#include <clocale>
#include <mpv/client.h>

namespace
{
constexpr quint64 kPropDeviceList = 1;
} // namespace

COutputDeviceChoice::COutputDeviceChoice(CSettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
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
    if (!m_pMpv)
    {
        // mpv refuses to start unless numbers are formatted the C way.
        std::setlocale(LC_NUMERIC, "C");
        m_pMpv = mpv_create();
        if (m_pMpv)
        {
            for (const char* name : {"config", "load-scripts", "ytdl", "terminal", "input-default-bindings"})
                mpv_set_option_string(m_pMpv, name, "no");
            mpv_set_option_string(m_pMpv, "vo", "null");
            mpv_set_option_string(m_pMpv, "audio-client-name", "Vedrix");
            if (mpv_initialize(m_pMpv) < 0)
            {
                mpv_terminate_destroy(m_pMpv);
                m_pMpv = nullptr;
            }
        }
        if (m_pMpv)
        {
            mpv_observe_property(m_pMpv, kPropDeviceList, "audio-device-list", MPV_FORMAT_NODE);
            // Runs on an mpv thread: only queue the draining for the GUI thread.
            mpv_set_wakeup_callback(
                m_pMpv,
                [](void* pCtx)
                {
                    auto* pChoice = static_cast<COutputDeviceChoice*>(pCtx);
                    QMetaObject::invokeMethod(
                        pChoice, [pChoice] { pChoice->DrainEvents(); }, Qt::QueuedConnection);
                },
                this);
        }
    }
    Fill(audiodevices::Read(m_pMpv));
}

void COutputDeviceChoice::CloseList()
{
    if (!m_pMpv)
        return;
    mpv_set_wakeup_callback(m_pMpv, nullptr, nullptr);
    mpv_terminate_destroy(m_pMpv);
    m_pMpv = nullptr;
}

void COutputDeviceChoice::DrainEvents()
{
    while (m_pMpv)
    {
        mpv_event* pEvent = mpv_wait_event(m_pMpv, 0);
        if (pEvent->event_id == MPV_EVENT_NONE)
            break;
        if (pEvent->event_id != MPV_EVENT_PROPERTY_CHANGE || pEvent->reply_userdata != kPropDeviceList)
            continue;
        const auto* pProperty = static_cast<const mpv_event_property*>(pEvent->data);
        if (pProperty->format == MPV_FORMAT_NODE && pProperty->data)
            Fill(audiodevices::FromNode(*static_cast<const mpv_node*>(pProperty->data)));
    }
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
    if (m_pMpv && !audiodevices::Contains(devices, strChosen))
        add(strChosen, tr("%1 (not connected)").arg(strChosen));
}
