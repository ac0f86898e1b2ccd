// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hotkeys/RadioSettingsView.h"
#include "base/Commands.h"

#include "base/SettingsStore.h"
#include "base/StringTable.h"
#include "context/AppContext.h"
#include "context/ViewSizing.h"
#include "hotkeys/HotKeyBindings.h"
#include "hotkeys/HotKeyCtrl.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>

namespace
{
struct SSettingsRow
{
    int nAssignId;
    int nClearId;
    const char* pszLoadFailed;
    const char* pszStoreFailed;
};

// In the order of the actions (Play, Play Next, Play Prev, Stop).
constexpr SSettingsRow kRows[4] = {
    {1014, 1018, "Failed to Load HotKey for Playing Channel.", "Failed to Store HotKey to Play Channel."},
    {1015, 1019, "Failed to Load HotKey for Playing Next Channel.",
     "Failed to Store HotKey to Play Next Channel."},
    {1016, 1020, "Failed to Load HotKey for Playing Previous Channel.",
     "Failed to Store HotKey to Play Previous Channel."},
    {1017, 1021, "Failed to Load HotKey to Stop Playing Channel.", "Failed to Store HotKey to Stop Playing."},
};

// The form is drawn in dialog units of an 8-point dialog font: 1.5 pixels across, 1.625 down.
constexpr int kFormWidth = 483;
constexpr int kFormHeight = 281;

int DluX(double n)
{
    return int(std::lround(n * 1.5));
}

int DluY(double n)
{
    return int(std::lround(n * 1.625));
}

QRect Dlu(int nLeft, int nTop, int nWidth, int nHeight)
{
    return QRect(DluX(nLeft), DluY(nTop), DluX(nWidth), DluY(nHeight));
}

// A label keeps its right edge; it grows leftwards and in height when the font in use needs more
// room than the form's own font did. It is centred on nCentreY.
void PlaceLabel(QLabel* label, const QRect& rect, bool bRightAligned, int nCentreY)
{
    const QSize hint = label->sizeHint();
    QRect r = rect;
    r.setWidth(std::max(rect.width(), hint.width()));
    r.setHeight(std::max(rect.height(), hint.height()));
    if (bRightAligned)
        r.moveRight(rect.right());
    r.moveTop(nCentreY - r.height() / 2);
    label->setGeometry(r);
}
} // namespace

CRadioSettingsView::CRadioSettingsView(CAppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    // Created in the form's tab order.
    auto* group = new QGroupBox(tr("System Wide Hot Keys"), this);
    group->setGeometry(Dlu(7, 7, 469, 110));

    struct SLabel
    {
        const char* pszText;
        QRect rect;
        int nRow;
    };
    const SLabel labels[] = {
        {QT_TR_NOOP("Play &Next Channel :"), Dlu(117, 42, 64, 8), 2},
        {QT_TR_NOOP("Play P&revious Channel :"), Dlu(105, 58, 76, 8), 3},
        {QT_TR_NOOP("&Play :"), Dlu(162, 26, 19, 8), 1},
        {QT_TR_NOOP("&Stop :"), Dlu(161, 74, 20, 8), 4},
    };
    // Each row's label and buttons stand level with its key-entry field.
    const int hotKeyTops[4] = {24, 40, 56, 72};
    QLabel* rowLabels[4] = {};
    for (const SLabel& l : labels)
    {
        auto* label = new QLabel(tr(l.pszText), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceLabel(label, l.rect, true, Dlu(186, hotKeyTops[l.nRow - 1], 80, 14).center().y());
        rowLabels[l.nRow - 1] = label;
    }

    for (int i = 0; i < 4; ++i)
    {
        auto* edit = new CHotKeyCtrl(this);
        edit->setGeometry(Dlu(186, hotKeyTops[i], 80, 14));
        edit->setObjectName(QStringLiteral("HotKey%1").arg(kHotKeyActions[i].nControlId));
        rowLabels[i]->setBuddy(edit);
        m_hotKeys[i] = edit;
        m_controls.insert(kHotKeyActions[i].nControlId, edit);
    }

    for (int i = 0; i < 4; ++i)
    {
        auto* assign = new QPushButton(tr("Assign"), this);
        assign->setGeometry(Dlu(272, hotKeyTops[i], 50, 14));
        connect(assign, &QPushButton::clicked, this, [this, i] { AssignHotKeyRow(i + 1); });
        m_controls.insert(kRows[i].nAssignId, assign);
    }
    for (int i = 0; i < 4; ++i)
    {
        auto* clear = new QPushButton(tr("Clear"), this);
        clear->setGeometry(Dlu(328, hotKeyTops[i], 50, 14));
        connect(clear, &QPushButton::clicked, this, [this, i] { ClearHotKeyRow(i + 1); });
        m_controls.insert(kRows[i].nClearId, clear);
    }

    for (int i = 0; i < 4; ++i)
    {
        auto* assigned = new QLabel(this);
        assigned->setObjectName(QStringLiteral("AssignedTrigger%1").arg(kHotKeyActions[i].nControlId));
        // The desktop's text for a key comes from outside the program.
        assigned->setTextFormat(Qt::PlainText);
        // Two lines in a slightly smaller font fit between the Clear button and the group's edge
        // without reaching into the next row.
        assigned->setWordWrap(true);
        assigned->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QFont small = assigned->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        assigned->setFont(small);
        assigned->setGeometry(Dlu(381, hotKeyTops[i] - 1, 93, 16));
        assigned->hide();
        m_assigned[i] = assigned;
    }

    auto* note = new QLabel(
        tr("Note : Assign System Wide Hot Keys and then Switch to Radio Tab to use the System Wide Hotkeys."),
        this);
    const QRect noteRect = Dlu(16, 98, 322, 8);
    PlaceLabel(note, noteRect, false, noteRect.center().y());

    // Where the desktop offers no way to register hot keys at all, one line says so; a message box for
    // every stored key would tell the same thing four times.
    if (!m_context.HotKeys().IsAvailable())
    {
        auto* unavailable = new QLabel(tr("System-wide hot keys are not available on this desktop."), this);
        unavailable->setObjectName(QStringLiteral("HotKeysUnavailable"));
        const QRect rect = Dlu(16, 124, 322, 8);
        PlaceLabel(unavailable, rect, false, rect.center().y());
    }

    connect(&m_context.HotKeys(), &CHotKeyService::AssignedTriggersChanged, this,
            &CRadioSettingsView::ShowAssignedTriggers);

    // Like a form view: when the window is smaller than the form, the area around it scrolls.
    setMinimumSize(GetFormSize());
}

CRadioSettingsView::~CRadioSettingsView() = default;

QSize CRadioSettingsView::GetFormSize() const
{
    return {DluX(kFormWidth), DluY(kFormHeight)};
}

void CRadioSettingsView::OnInitialUpdate()
{
    CWaitCursor wait;
    SizeMainWindowOnce(this, m_context.Settings(), GetFormSize(), settings::kRadioSettingsViewSized);
    emit StatusTextChanged(QString());
    LoadAllHotKeyRows();
}

void CRadioSettingsView::LoadHotKeyRow(int nRow)
{
    const SHotKeyAction& action = kHotKeyActions[size_t(nRow - 1)];
    const HotKeyBinding binding = LoadHotKey(m_context.Settings(), QString::fromLatin1(action.pszName));
    GetHotKeyCtrl(nRow)->SetHotKey(binding.wVirtualKey, binding.bControlModifiers);
    CHotKeyService& hotKeys = m_context.HotKeys();
    if (!hotKeys.IsAvailable())
        return; // the form's line tells why
    hotKeys.UnregisterHotKey(this, action.nId);
    if (binding.wVirtualKey != 0 &&
        !hotKeys.RegisterHotKey(this, action.nId, binding.wModifiers, binding.wVirtualKey))
        ShowError(kRows[nRow - 1].pszLoadFailed);
}

void CRadioSettingsView::LoadAllHotKeyRows()
{
    DescribeHotKeyActions(m_context.HotKeys());
    for (int nRow = 1; nRow <= 4; ++nRow)
        LoadHotKeyRow(nRow);
    ShowAssignedTriggers();
}

void CRadioSettingsView::ShowAssignedTriggers()
{
    for (size_t i = 0; i < m_assigned.size(); ++i)
    {
        QLabel* label = m_assigned[i];
        const std::optional<QString> assigned =
            m_context.HotKeys().AssignedTrigger(this, kHotKeyActions[i].nId);
        if (!assigned)
        {
            label->hide();
            label->clear();
            continue;
        }
        const QString text = assigned->isEmpty() ? tr("the desktop bound no key")
                                                 : tr("the desktop assigned %1").arg(*assigned);
        label->setText(text);
        label->setToolTip(text);
        label->setAccessibleName(QStringLiteral("%1: %2").arg(HotKeyActionTitle(kHotKeyActions[i]), text));
        label->show();
    }
}

void CRadioSettingsView::AssignHotKeyRow(int nRow)
{
    quint16 wVirtualKey = 0;
    quint16 wModifiers = 0;
    GetHotKeyCtrl(nRow)->GetHotKey(wVirtualKey, wModifiers);
    if (!SaveHotKey(m_context.Settings(), QString::fromLatin1(kHotKeyActions[size_t(nRow - 1)].pszName),
                    wVirtualKey, quint8(wModifiers)))
    {
        // The fields keep what the user entered and the registrations stay as they were.
        ShowError(kRows[nRow - 1].pszStoreFailed);
        return;
    }
    LoadAllHotKeyRows();
}

void CRadioSettingsView::ClearHotKeyRow(int nRow)
{
    GetHotKeyCtrl(nRow)->SetHotKey(0, 0);
    AssignHotKeyRow(nRow);
}

void CRadioSettingsView::ShowError(const char* pszText)
{
    ShowMessageBox(this, AppTitle(), QMessageBox::Critical, tr(pszText));
}
