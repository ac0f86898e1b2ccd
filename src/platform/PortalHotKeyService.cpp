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

constexpr uint kResponseSuccess = 0;

QString PathText(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

QList<SPortalShortcut> ShortcutList(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusArgument>())
        return qdbus_cast<QList<SPortalShortcut>>(value.value<QDBusArgument>());
    return value.value<QList<SPortalShortcut>>();
}

// A trigger as a set of modifier names and a key name, whichever way the desktop spells it.
QStringList TriggerParts(QString strText)
{
    // GTK's accelerator form: "<Control><Alt>p".
    strText.replace(QLatin1Char('<'), QString()).replace(QLatin1Char('>'), QLatin1String("+"));
    QStringList parts;
    const QStringList words = strText.split(QLatin1Char('+'), Qt::SkipEmptyParts);
    for (int i = 0; i < words.size(); ++i)
    {
        const QString word = words[i].trimmed().toLower();
        if (i == words.size() - 1)
        {
            parts << QStringLiteral("key:") + word;
            break;
        }
        static const QHash<QString, QString> modifiers = {
            {QStringLiteral("ctrl"), QStringLiteral("ctrl")},
            {QStringLiteral("control"), QStringLiteral("ctrl")},
            {QStringLiteral("primary"), QStringLiteral("ctrl")},
            {QStringLiteral("strg"), QStringLiteral("ctrl")},
            {QStringLiteral("alt"), QStringLiteral("alt")},
            {QStringLiteral("mod1"), QStringLiteral("alt")},
            {QStringLiteral("shift"), QStringLiteral("shift")},
            {QStringLiteral("umschalt"), QStringLiteral("shift")},
            {QStringLiteral("logo"), QStringLiteral("logo")},
            {QStringLiteral("super"), QStringLiteral("logo")},
            {QStringLiteral("meta"), QStringLiteral("logo")},
            {QStringLiteral("win"), QStringLiteral("logo")},
            {QStringLiteral("mod4"), QStringLiteral("logo")},
        };
        parts << modifiers.value(word, word);
    }
    parts.sort();
    parts.removeDuplicates();
    return parts;
}
} // namespace

CPortalHotKeyService::CPortalHotKeyService(const QDBusConnection& bus) : m_bus(bus)
{
    qDBusRegisterMetaType<SPortalShortcut>();
    qDBusRegisterMetaType<QList<SPortalShortcut>>();
    m_pBindTimer = new QTimer(this);
    m_pBindTimer->setSingleShot(true);
    m_pBindTimer->setInterval(0);
    connect(m_pBindTimer, &QTimer::timeout, this, &CPortalHotKeyService::Update);
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"), this,
                  SLOT(OnActivated(QDBusMessage)));
    m_bus.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(OnShortcutsChanged(QDBusMessage)));
    CreateSession();
}

CPortalHotKeyService::~CPortalHotKeyService()
{
    // Closing the session ends its shortcuts at once, not only when the bus notices that we are gone.
    blockSignals(true);
    CloseSession();
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

bool CPortalHotKeyService::SameTrigger(const QString& strDescription, const QString& strTrigger)
{
    return TriggerParts(strDescription) == TriggerParts(strTrigger);
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

void CPortalHotKeyService::SetHotKeyDescription(int nId, const QString& strDescription)
{
    if (m_descriptions.value(nId) == strDescription)
        return;
    m_descriptions.insert(nId, strDescription);
    m_pBindTimer->start();
}

std::optional<QString> CPortalHotKeyService::AssignedTrigger(QObject* pWnd, int nId) const
{
    auto r = std::find_if(m_registrations.begin(), m_registrations.end(),
                          [&](const SRegistration& r) { return r.pWnd == pWnd && r.nId == nId; });
    if (r == m_registrations.end() || !m_bBindAnswered)
        return std::nullopt;
    // Only what this session's bind asked for has an answer; a newer registration waits for its own.
    if (std::none_of(m_bound.begin(), m_bound.end(),
                     [&](const SShortcut& s)
                     { return s.strId == r->strShortcut && s.strTrigger == r->strTrigger; }))
        return std::nullopt;
    const auto assigned = m_assigned.constFind(r->strShortcut);
    if (assigned == m_assigned.constEnd())
        return QString(); // the desktop bound no key for it
    if (SameTrigger(*assigned, r->strTrigger))
        return std::nullopt;
    return *assigned;
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

std::vector<CPortalHotKeyService::SShortcut> CPortalHotKeyService::WantedShortcuts() const
{
    std::vector<SShortcut> shortcuts;
    for (const SRegistration& r : m_registrations)
    {
        QString description = m_descriptions.value(r.nId);
        if (description.isEmpty())
            description =
                QStringLiteral("%1: hot key %2").arg(QGuiApplication::applicationDisplayName()).arg(r.nId);
        shortcuts.push_back({r.strShortcut, r.strTrigger, description});
    }
    // A set: the order in which windows registered tells the desktop nothing.
    std::sort(shortcuts.begin(), shortcuts.end(),
              [](const SShortcut& a, const SShortcut& b) { return a.strId < b.strId; });
    return shortcuts;
}

void CPortalHotKeyService::ChangesReleased()
{
    m_pBindTimer->start();
}

void CPortalHotKeyService::Update()
{
    if (m_bSessionPending)
        return; // the new session's creation comes back here
    // A page switch in progress: the next page registers the same keys, most likely.
    if (AreChangesHeld())
        return; // the release comes back here
    const std::vector<SShortcut> wanted = WantedShortcuts();
    if (m_strSession.isEmpty())
    {
        // The portal refused a session before; try again now that there is something to bind.
        if (!wanted.empty())
            CreateSession();
        return;
    }
    if (m_bound.empty())
    {
        if (!wanted.empty())
            Bind(wanted);
        return;
    }
    // Unregistering and registering the same keys again (every reload of the settings form does) is
    // no change for the desktop: no new session, no dialog.
    if (wanted == m_bound)
        return;
    // The session has had its one bind: the new set goes to a new session.
    CloseSession();
    CreateSession();
}

void CPortalHotKeyService::CreateSession()
{
    m_bSessionPending = true;
    QVariantMap options;
    options.insert(QStringLiteral("session_handle_token"), NextToken());
    CallWithRequest(QStringLiteral("CreateSession"), {options},
                    [this](uint nResponse, const QVariantMap& results)
                    {
                        m_bSessionPending = false;
                        m_strSession = nResponse == kResponseSuccess
                                           ? PathText(results.value(QStringLiteral("session_handle")))
                                           : QString();
                        if (m_strSession.isEmpty())
                        {
                            emit BindingAnswered(false);
                            return;
                        }
                        m_bus.connect(kPortalService, m_strSession, kSessionInterface,
                                      QStringLiteral("Closed"), this, SLOT(OnSessionClosed(QDBusMessage)));
                        Update();
                    });
}

void CPortalHotKeyService::CloseSession()
{
    const bool bHadAssignments = m_bBindAnswered;
    if (!m_strSession.isEmpty())
    {
        m_bus.disconnect(kPortalService, m_strSession, kSessionInterface, QStringLiteral("Closed"), this,
                         SLOT(OnSessionClosed(QDBusMessage)));
        m_bus.send(QDBusMessage::createMethodCall(kPortalService, m_strSession, kSessionInterface,
                                                  QStringLiteral("Close")));
    }
    m_strSession.clear();
    m_bBindAnswered = false;
    m_bound.clear();
    m_assigned.clear();
    if (bHadAssignments)
        emit AssignedTriggersChanged();
}

void CPortalHotKeyService::OnSessionClosed(const QDBusMessage& signal)
{
    if (signal.path() != m_strSession)
        return;
    // The desktop has ended the session (the user may have revoked its shortcuts there): asking again
    // at once would put the question straight back. The next change of the hot keys binds anew.
    m_bus.disconnect(kPortalService, m_strSession, kSessionInterface, QStringLiteral("Closed"), this,
                     SLOT(OnSessionClosed(QDBusMessage)));
    m_strSession.clear(); // nothing left to close
    CloseSession();
}

void CPortalHotKeyService::Bind(std::vector<SShortcut> shortcuts)
{
    QList<SPortalShortcut> list;
    for (const SShortcut& s : shortcuts)
    {
        QVariantMap properties;
        properties.insert(QStringLiteral("description"), s.strDescription);
        properties.insert(QStringLiteral("preferred_trigger"), s.strTrigger);
        list.push_back({s.strId, properties});
    }
    m_bBindAnswered = false;
    m_bound = std::move(shortcuts);
    const QString session = m_strSession;
    CallWithRequest(
        QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(list), QString(), QVariantMap()},
        [this, session](uint nResponse, const QVariantMap& results)
        {
            // The answer of a session closed since tells nothing about the current one.
            if (session != m_strSession)
                return;
            m_bBindAnswered = true;
            TakeAssignments(nResponse == kResponseSuccess ? results.value(QStringLiteral("shortcuts"))
                                                          : QVariant(),
                            true);
            emit BindingAnswered(nResponse == kResponseSuccess);
        });
}

void CPortalHotKeyService::TakeAssignments(const QVariant& shortcuts, bool bAll)
{
    if (bAll)
        m_assigned.clear();
    for (const SPortalShortcut& shortcut : ShortcutList(shortcuts))
        m_assigned.insert(shortcut.strId,
                          shortcut.properties.value(QStringLiteral("trigger_description")).toString());
    emit AssignedTriggersChanged();
}

void CPortalHotKeyService::OnShortcutsChanged(const QDBusMessage& signal)
{
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.size() < 2 || m_strSession.isEmpty() || PathText(arguments[0]) != m_strSession)
        return;
    TakeAssignments(arguments[1], false);
}

void CPortalHotKeyService::OnActivated(const QDBusMessage& signal)
{
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.size() < 2 || m_strSession.isEmpty() || PathText(arguments[0]) != m_strSession)
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
                                           FResponse onResponse)
{
    // The portal answers through a Request object whose path it derives from our token. Listening
    // there before the call leaves no gap for the answer to slip through.
    const QString token = NextToken();
    const QString path = RequestPath(token);
    m_pending.insert(path, onResponse);
    ListenForResponse(path, true);
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kShortcutsInterface, strMethod);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, path]
            {
                watcher->deleteLater();
                QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                const QString actual = reply.isError() ? QString() : reply.value().path();
                if (actual == path || !m_pending.contains(path))
                    return;
                FResponse onResponse = m_pending.take(path);
                ListenForResponse(path, false);
                if (actual.isEmpty())
                {
                    // Refused outright: the same as a Response that refuses.
                    onResponse(2, {});
                    return;
                }
                // Portals before version 0.9 named the request themselves.
                m_pending.insert(actual, onResponse);
                ListenForResponse(actual, true);
            });
}

void CPortalHotKeyService::OnResponse(uint nResponse, const QVariantMap& results)
{
    if (!calledFromDBus())
        return;
    // A Request answers once: stop listening to the one that has just answered.
    const QString path = message().path();
    ListenForResponse(path, false);
    if (FResponse onResponse = m_pending.take(path))
        onResponse(nResponse, results);
}

void CPortalHotKeyService::ListenForResponse(const QString& strPath, bool bListen)
{
    if (bListen)
        m_bus.connect(kPortalService, strPath, kRequestInterface, QStringLiteral("Response"), this,
                      SLOT(OnResponse(uint, QVariantMap)));
    else
        m_bus.disconnect(kPortalService, strPath, kRequestInterface, QStringLiteral("Response"), this,
                         SLOT(OnResponse(uint, QVariantMap)));
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
