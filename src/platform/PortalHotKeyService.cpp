// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PortalHotKeyService.h"

#include "platform/VirtualKeys.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

#include <xkbcommon/xkbcommon.h>

// One entry of BindShortcuts' a(sa{sv}): the shortcut's id and its description and preferred trigger.
struct SPortalShortcut
{
    QString strId;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(SPortalShortcut)

QDBusArgument& operator<<(QDBusArgument& argument, const SPortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.strId << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SPortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.strId >> shortcut.properties;
    argument.endStructure();
    return argument;
}

namespace
{
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
// The portal may have to be started by the bus first.
constexpr int kProbeTimeoutMs = 5000;
constexpr UINT kModifierBits = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

QString PathText(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}
} // namespace

CPortalHotKeyService::CPortalHotKeyService(const QDBusConnection& bus) : m_bus(bus)
{
    qDBusRegisterMetaType<SPortalShortcut>();
    qDBusRegisterMetaType<QList<SPortalShortcut>>();
    m_pBindTimer = new QTimer(this);
    m_pBindTimer->setSingleShot(true);
    m_pBindTimer->setInterval(0);
    connect(m_pBindTimer, &QTimer::timeout, this, &CPortalHotKeyService::BindAll);
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"), this,
                  SLOT(OnActivated(QDBusMessage)));
    CreateSession();
}

CPortalHotKeyService::~CPortalHotKeyService()
{
    // Closing the session ends its shortcuts at once, not only when the bus notices that we are gone.
    if (!m_strSession.isEmpty())
        m_bus.send(QDBusMessage::createMethodCall(kPortalService, m_strSession, kSessionInterface,
                                                  QStringLiteral("Close")));
}

bool CPortalHotKeyService::IsPortalAvailable(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << kShortcutsInterface << QStringLiteral("version");
    // A portal without GlobalShortcuts answers with an error.
    return bus.call(call, QDBus::Block, kProbeTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

CPortalHotKeyService* CPortalHotKeyService::Create()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return IsPortalAvailable(bus) ? new CPortalHotKeyService(bus) : nullptr;
}

QString CPortalHotKeyService::TriggerFor(UINT fsModifiers, UINT nVirtualKey)
{
    const quint32 keysym = nVirtualKey <= 0xFFFF ? KeysymFromVirtualKey(nVirtualKey) : 0;
    if (!keysym)
        return {};
    char name[64] = {};
    if (xkb_keysym_get_name(keysym, name, sizeof name) <= 0)
        return {};
    QStringList parts;
    if (fsModifiers & MOD_CONTROL)
        parts << QStringLiteral("CTRL");
    if (fsModifiers & MOD_ALT)
        parts << QStringLiteral("ALT");
    if (fsModifiers & MOD_SHIFT)
        parts << QStringLiteral("SHIFT");
    if (fsModifiers & MOD_WIN)
        parts << QStringLiteral("LOGO");
    parts << QString::fromLatin1(name);
    return parts.join(QLatin1Char('+'));
}

bool CPortalHotKeyService::RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey)
{
    if (!pWnd)
        return false;
    const QString trigger = TriggerFor(fsModifiers, nVirtualKey);
    if (trigger.isEmpty())
        return false;
    for (const SRegistration& r : m_registrations)
        if ((r.pWnd == pWnd && r.nId == nId) || r.strTrigger == trigger)
            return false;
    // The id stays the same from one start to the next, so that the desktop keeps what the user
    // chose for it.
    QString shortcut = QStringLiteral("hotkey%1").arg(nId);
    for (int n = 2; std::any_of(m_registrations.begin(), m_registrations.end(),
                                [&](const SRegistration& r) { return r.strShortcut == shortcut; });
         ++n)
        shortcut = QStringLiteral("hotkey%1-%2").arg(nId).arg(n);
    m_registrations.push_back({pWnd, nId, fsModifiers, nVirtualKey, shortcut, trigger});
    connect(pWnd, &QObject::destroyed, this, &CPortalHotKeyService::OnWindowDestroyed, Qt::UniqueConnection);
    m_pBindTimer->start();
    return true;
}

bool CPortalHotKeyService::UnregisterHotKey(QObject* pWnd, int nId)
{
    auto it = std::find_if(m_registrations.begin(), m_registrations.end(),
                           [&](const SRegistration& r) { return r.pWnd == pWnd && r.nId == nId; });
    if (it == m_registrations.end())
        return false;
    m_registrations.erase(it);
    m_pBindTimer->start();
    return true;
}

void CPortalHotKeyService::OnWindowDestroyed(QObject* pWnd)
{
    const auto before = m_registrations.size();
    m_registrations.erase(std::remove_if(m_registrations.begin(), m_registrations.end(),
                                         [&](const SRegistration& r) { return r.pWnd == pWnd; }),
                          m_registrations.end());
    if (m_registrations.size() != before)
        m_pBindTimer->start();
}

void CPortalHotKeyService::CreateSession()
{
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), NextToken());
    CallWithRequest(QStringLiteral("CreateSession"), {options}, SLOT(OnSessionCreated(uint, QVariantMap)));
}

void CPortalHotKeyService::OnSessionCreated(uint nResponse, const QVariantMap& results)
{
    ForgetAnsweredRequest(SLOT(OnSessionCreated(uint, QVariantMap)));
    m_strSession = nResponse == 0 ? PathText(results.value(QStringLiteral("session_handle"))) : QString();
    if (m_strSession.isEmpty())
    {
        emit BindingAnswered(false);
        return;
    }
    if (!m_registrations.empty())
        BindAll();
}

void CPortalHotKeyService::BindAll()
{
    // Without a session yet, the binding follows its creation.
    if (m_strSession.isEmpty())
        return;
    QList<SPortalShortcut> shortcuts;
    const QString application = QGuiApplication::applicationDisplayName();
    for (const SRegistration& r : m_registrations)
    {
        QVariantMap properties;
        properties.insert(QStringLiteral("description"),
                          QStringLiteral("%1: hot key %2").arg(application).arg(r.nId));
        properties.insert(QStringLiteral("preferred_trigger"), r.strTrigger);
        shortcuts.push_back({r.strShortcut, properties});
    }
    CallWithRequest(QStringLiteral("BindShortcuts"),
                    {QVariant::fromValue(QDBusObjectPath(m_strSession)), QVariant::fromValue(shortcuts),
                     QString(), QVariantMap()},
                    SLOT(OnBindAnswered(uint, QVariantMap)));
}

void CPortalHotKeyService::OnBindAnswered(uint nResponse, const QVariantMap&)
{
    ForgetAnsweredRequest(SLOT(OnBindAnswered(uint, QVariantMap)));
    emit BindingAnswered(nResponse == 0);
}

void CPortalHotKeyService::OnActivated(const QDBusMessage& signal)
{
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.size() < 2 || PathText(arguments[0]) != m_strSession || m_strSession.isEmpty())
        return;
    const QString strShortcut = arguments[1].toString();
    for (const SRegistration& r : m_registrations)
        if (r.strShortcut == strShortcut)
        {
            emit HotKeyPressed(r.pWnd, r.nId, r.fsModifiers & kModifierBits, r.nVirtualKey & 0xFFFF);
            return;
        }
}

void CPortalHotKeyService::CallWithRequest(const QString& strMethod, QList<QVariant> arguments,
                                           const char* pszSlot)
{
    // The portal answers through a Request object whose path it derives from our token. Listening
    // there before the call leaves no gap for the answer to slip through.
    const QString token = NextToken();
    const QString path = RequestPath(token);
    m_bus.connect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), this, pszSlot);
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kShortcutsInterface, strMethod);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, path, pszSlot]
            {
                watcher->deleteLater();
                QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                if (reply.isError())
                {
                    m_bus.disconnect(kPortalService, path, kRequestInterface, QStringLiteral("Response"),
                                     this, pszSlot);
                    emit BindingAnswered(false);
                    return;
                }
                // Portals before version 0.9 named the request themselves.
                const QString actual = reply.value().path();
                if (actual != path)
                    m_bus.connect(kPortalService, actual, kRequestInterface, QStringLiteral("Response"), this,
                                  pszSlot);
            });
}

void CPortalHotKeyService::ForgetAnsweredRequest(const char* pszSlot)
{
    if (calledFromDBus())
        m_bus.disconnect(kPortalService, message().path(), kRequestInterface, QStringLiteral("Response"),
                         this, pszSlot);
}

QString CPortalHotKeyService::RequestPath(const QString& strToken) const
{
    QString sender = m_bus.baseService();
    sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, strToken);
}

QString CPortalHotKeyService::NextToken()
{
    return QStringLiteral("vedrix%1").arg(++m_nTokens);
}
