// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ribbon/RibbonBar.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace
{
constexpr int kSmallRows = 3;
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr const char* kDescriptionProperty = "ribbonDescription";

// A check box whose mark changes only through the update of its command, never by the click itself.
class CRibbonCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

// A large button's label takes two lines, broken at the blank nearest to its middle.
QString TwoLineLabel(const QString& strLabel)
{
    const qsizetype middle = strLabel.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < strLabel.size(); ++i)
        if (strLabel[i] == QLatin1Char(' ') && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    if (best < 0)
        return strLabel + QLatin1Char('\n');
    QString text = strLabel;
    text[best] = QLatin1Char('\n');
    return text;
}
} // namespace

// ---------------------------------------------------------------------------------------------------

CRibbonPanel::CRibbonPanel(CRibbonBar* pBar, const QString& strName, const QIcon& icon, QWidget* parent)
    : QFrame(parent), m_pBar(pBar), m_strName(strName), m_icon(icon)
{
    setObjectName(QStringLiteral("RibbonPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 0);
    outer->setSpacing(1);
    m_pContent = new QHBoxLayout();
    m_pContent->setContentsMargins(2, 0, 2, 0);
    m_pContent->setSpacing(2);
    outer->addLayout(m_pContent, 1);
    auto* caption = new QLabel(strName, this);
    caption->setObjectName(QStringLiteral("RibbonPanelCaption"));
    caption->setAlignment(Qt::AlignCenter);
    outer->addWidget(caption);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QToolButton* CRibbonPanel::AddButton(UINT nID, const QString& strLabel, const QIcon& smallIcon,
                                     const QIcon& largeIcon)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    // Reached with Tab and mnemonics; a click leaves the keyboard focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    ERibbonElementKind kind;
    if (!largeIcon.isNull())
    {
        kind = ERibbonElementKind::LargeButton;
        button->setObjectName(QStringLiteral("RibbonLargeButton"));
        button->setIcon(largeIcon);
        button->setIconSize(QSize(kLargeIcon, kLargeIcon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setText(TwoLineLabel(strLabel));
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setMinimumWidth(48);
        m_pSmallColumn = nullptr;
        m_pContent->addWidget(button);
    }
    else
    {
        kind = ERibbonElementKind::SmallButton;
        button->setObjectName(QStringLiteral("RibbonSmallButton"));
        button->setText(strLabel);
        if (!smallIcon.isNull())
        {
            button->setIcon(smallIcon);
            button->setIconSize(QSize(kSmallIcon, kSmallIcon));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        else
        {
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        AddSmall(button);
    }
    m_elements.push_back({nID, strLabel, kind, button});
    m_pBar->RegisterElement(nID, button);
    return button;
}

QAbstractButton* CRibbonPanel::AddCheckBox(UINT nID, const QString& strLabel)
{
    auto* box = new CRibbonCheckBox(strLabel, this);
    box->setObjectName(QStringLiteral("RibbonCheckBox"));
    box->setFocusPolicy(Qt::TabFocus);
    AddSmall(box);
    m_elements.push_back({nID, strLabel, ERibbonElementKind::CheckBox, box});
    m_pBar->RegisterElement(nID, box);
    return box;
}

void CRibbonPanel::AddSmall(QWidget* pWidget)
{
    if (!m_pSmallColumn || m_nSmallInColumn == kSmallRows)
    {
        m_pSmallColumn = new QWidget(this);
        auto* column = new QVBoxLayout(m_pSmallColumn);
        column->setContentsMargins(2, 2, 4, 2);
        column->setSpacing(1);
        column->addStretch(1); // kept last; elements go in before it
        m_pContent->addWidget(m_pSmallColumn);
        m_nSmallInColumn = 0;
    }
    auto* column = static_cast<QVBoxLayout*>(m_pSmallColumn->layout());
    column->insertWidget(m_nSmallInColumn++, pWidget);
}

// ---------------------------------------------------------------------------------------------------

CRibbonCategory::CRibbonCategory(CRibbonBar* pBar, const QString& strName, QWidget* parent)
    : QWidget(parent), m_pBar(pBar), m_strName(strName)
{
    setObjectName(QStringLiteral("RibbonCategory"));
    setAttribute(Qt::WA_StyledBackground);
    m_pLayout = new QHBoxLayout(this);
    m_pLayout->setContentsMargins(4, 3, 4, 3);
    m_pLayout->setSpacing(3);
    m_pLayout->addStretch(1);
}

CRibbonPanel* CRibbonCategory::AddPanel(const QString& strName, const QIcon& icon)
{
    auto* panel = new CRibbonPanel(m_pBar, strName, icon, this);
    m_pLayout->insertWidget(m_pLayout->count() - 1, panel);
    m_panels.push_back(panel);
    return panel;
}

// ---------------------------------------------------------------------------------------------------

CRibbonBar::CRibbonBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RibbonBar"));
    setAttribute(Qt::WA_StyledBackground);
    m_pGrid = new QGridLayout(this);
    m_pGrid->setContentsMargins(0, 0, 0, 0);
    m_pGrid->setSpacing(0);

    m_pTabRow = new QWidget(this);
    m_pTabRow->setObjectName(QStringLiteral("RibbonTabRow"));
    m_pTabRow->setAttribute(Qt::WA_StyledBackground);
    m_pTabLayout = new QHBoxLayout(m_pTabRow);
    m_pTabLayout->setContentsMargins(4, 3, 4, 0);
    m_pTabLayout->setSpacing(2);
    m_pTabLayout->addStretch(1);
    m_pTabRightLayout = new QHBoxLayout();
    m_pTabRightLayout->setSpacing(2);
    m_pTabRightLayout->setContentsMargins(0, 0, 0, 2);
    m_pTabLayout->addLayout(m_pTabRightLayout);
    m_pTabGroup = new QButtonGroup(this);
    m_pTabGroup->setExclusive(true);

    m_pPages = new QStackedWidget(this);
    m_pPages->setObjectName(QStringLiteral("RibbonPages"));
    m_pPages->setFixedHeight(100);

    m_pGrid->addWidget(m_pTabRow, 0, 1);
    m_pGrid->addWidget(m_pPages, 1, 1);
    m_pGrid->setColumnStretch(1, 1);
}

CRibbonBar::~CRibbonBar() = default;

CRibbonCategory* CRibbonBar::AddCategory(const QString& strName)
{
    auto* category = new CRibbonCategory(this, strName, m_pPages);
    m_pPages->addWidget(category);
    m_categories.push_back(category);

    auto* tab = new QToolButton(m_pTabRow);
    tab->setObjectName(QStringLiteral("RibbonTab"));
    tab->setText(strName);
    tab->setCheckable(true);
    tab->setAutoRaise(true);
    tab->setFocusPolicy(Qt::TabFocus);
    m_pTabGroup->addButton(tab);
    m_pTabLayout->insertWidget(int(m_tabs.size()), tab);
    m_tabs.push_back(tab);
    connect(tab, &QToolButton::clicked, this, [this, category] { SetActiveCategory(category); });
    return category;
}

CRibbonCategory* CRibbonBar::GetCategory(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCategoryCount() ? m_categories[size_t(nIndex)] : nullptr;
}

int CRibbonBar::GetCategoryIndex(const CRibbonCategory* pCategory) const
{
    for (size_t i = 0; i < m_categories.size(); ++i)
        if (m_categories[i] == pCategory)
            return int(i);
    return -1;
}

bool CRibbonBar::SetActiveCategory(CRibbonCategory* pCategory, bool)
{
    const int index = GetCategoryIndex(pCategory);
    if (index < 0)
        return false;
    m_pActive = pCategory;
    m_pPages->setCurrentWidget(pCategory);
    m_tabs[size_t(index)]->setChecked(true);
    return true;
}

void CRibbonBar::SetApplicationButton(QAbstractButton* pButton)
{
    if (m_pAppButton)
        m_pGrid->removeWidget(m_pAppButton);
    m_pAppButton = pButton;
    if (!pButton)
        return;
    pButton->setParent(this);
    pButton->setObjectName(QStringLiteral("RibbonApplicationButton"));
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("RibbonApplicationColumn"));
    column->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pButton);
    layout->addStretch(1);
    m_pGrid->addWidget(column, 0, 0, 2, 1);
    pButton->installEventFilter(this);
}

QToolButton* CRibbonBar::AddToTabs(UINT nID, const QString& strLabel, const QIcon& icon)
{
    auto* button = new QToolButton(m_pTabRow);
    button->setObjectName(QStringLiteral("RibbonTabElement"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setIcon(icon);
    button->setIconSize(QSize(kSmallIcon, kSmallIcon));
    if (!strLabel.isEmpty())
    {
        button->setText(strLabel);
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextBesideIcon);
    }
    m_pTabRightLayout->addWidget(button);
    m_tabElements.push_back({nID, strLabel, ERibbonElementKind::SmallButton, button});
    RegisterElement(nID, button);
    return button;
}

QToolButton* CRibbonBar::AddDropDownToTabs(const QString& strLabel, QMenu* pMenu)
{
    auto* button = new QToolButton(m_pTabRow);
    button->setObjectName(QStringLiteral("RibbonTabElement"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setText(strLabel);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(pMenu);
    m_pTabRightLayout->addWidget(button);
    m_tabElements.push_back({UINT(-1), strLabel, ERibbonElementKind::SmallButton, button});
    button->installEventFilter(this);
    return button;
}

QAction* CRibbonBar::AddMenuCommand(QMenu* pMenu, UINT nID, const QString& strLabel)
{
    QAction* action = pMenu->addAction(strLabel);
    action->setCheckable(true);
    // One group per menu: its entries show radio marks, one of which the update sets.
    auto* group = pMenu->findChild<QActionGroup*>();
    if (!group)
    {
        group = new QActionGroup(pMenu);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    group->addAction(action);
    action->setData(nID);
    connect(action, &QAction::triggered, this,
            [this, action, nID]
            {
                // The mark follows the command's state, not the click.
                action->setChecked(!action->isChecked());
                emit CommandInvoked(nID);
            });
    m_commandActions.push_back({nID, action});
    if (m_actionFor)
        TieMenuAction(nID, action);
    return action;
}

QAbstractButton* CRibbonBar::GetCategoryTab(int nIndex) const
{
    return nIndex >= 0 && nIndex < int(m_tabs.size()) ? m_tabs[size_t(nIndex)] : nullptr;
}

void CRibbonBar::SetMnemonic(QAbstractButton* pButton, QChar letter)
{
    // The shown text stays as it is; only the letter is underlined and Alt with it clicks the button.
    QString text = pButton->text();
    const qsizetype at = text.indexOf(letter);
    if (at < 0 || text.contains(QLatin1Char('&')))
        return;
    text.insert(at, QLatin1Char('&'));
    pButton->setText(text);
}

void CRibbonBar::UpdateTabOrder()
{
    // Tab goes as the eye does: the application button, the category tabs, the elements right of
    // them, then the active page's elements panel by panel (hidden pages are left out by Qt).
    std::vector<QWidget*> order;
    if (m_pAppButton)
        order.push_back(m_pAppButton);
    for (QAbstractButton* tab : m_tabs)
        order.push_back(tab);
    for (const SRibbonElement& e : m_tabElements)
        order.push_back(e.pButton);
    for (CRibbonCategory* category : m_categories)
        for (int i = 0; i < category->GetPanelCount(); ++i)
            for (const SRibbonElement& e : category->GetPanel(i)->GetElements())
                order.push_back(e.pButton);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void CRibbonBar::SetElementTips(QWidget* pWidget, const QString& strTooltip, const QString& strDescription)
{
    pWidget->setToolTip(strTooltip);
    pWidget->setStatusTip(strDescription);
    pWidget->setProperty(kDescriptionProperty, strDescription);
}

void CRibbonBar::RegisterElement(UINT nID, QAbstractButton* pButton)
{
    m_commandButtons.push_back({nID, pButton});
    pButton->installEventFilter(this);
    connect(pButton, &QAbstractButton::clicked, this, [this, nID] { emit CommandInvoked(nID); });
    if (m_actionFor)
        TieButton(nID, pButton);
}

void CRibbonBar::UseActions(std::function<QAction*(UINT)> actionFor)
{
    m_actionFor = std::move(actionFor);
    connect(this, &CRibbonBar::CommandInvoked, this,
            [this](UINT nID)
            {
                if (QAction* action = m_actionFor(nID); action && action->isEnabled())
                    action->trigger();
            });
    for (auto& [nID, button] : m_commandButtons)
        TieButton(nID, button);
    for (auto& [nID, menuAction] : m_commandActions)
        TieMenuAction(nID, menuAction);
}

void CRibbonBar::TieButton(UINT nID, QAbstractButton* pButton)
{
    QAction* action = m_actionFor(nID);
    if (!action)
        return;
    auto show = [action, pButton]
    {
        pButton->setEnabled(action->isEnabled());
        if (action->isCheckable() || pButton->isCheckable())
        {
            pButton->setCheckable(true);
            pButton->setChecked(action->isChecked());
        }
    };
    connect(action, &QAction::changed, pButton, show);
    // A tool button toggles itself on a click; what it shows is the action's state all the same.
    connect(pButton, &QAbstractButton::clicked, pButton, show, Qt::QueuedConnection);
    show();
}

void CRibbonBar::TieMenuAction(UINT nID, QAction* pMenuAction)
{
    QAction* action = m_actionFor(nID);
    if (!action)
        return;
    auto show = [action, pMenuAction]
    {
        pMenuAction->setEnabled(action->isEnabled());
        pMenuAction->setChecked(action->isChecked());
    };
    connect(action, &QAction::changed, pMenuAction, show);
    show();
}

bool CRibbonBar::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::ToolTip)
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        const QString description = widget ? widget->property(kDescriptionProperty).toString() : QString();
        if (widget && !description.isEmpty())
        {
            const QString tip = widget->toolTip();
            QString html =
                QStringLiteral("<p style='white-space:pre'><b>%1</b></p>").arg(tip.toHtmlEscaped());
            html += QStringLiteral("<p style='max-width:300px'>%1</p>").arg(description.toHtmlEscaped());
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), html, widget);
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
