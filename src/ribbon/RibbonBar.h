// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The ribbon: a row of category tabs with elements on its right, one page of panels per category, and
// the application button at the left. Panels hold large and small buttons and check boxes; each element
// carries a command id; UseActions ties each element to its command's action: a click triggers the
// action, and the element shows the action's enabled and checked state. Check marks are never changed
// by a click itself, only by the action.
#include <functional>

#include <QFrame>
#include <QIcon>
#include <QString>
#include <QWidget>
#include <vector>

using UINT = unsigned int;

class QAbstractButton;
class QAction;
class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;
class CRibbonBar;

enum class ERibbonElementKind
{
    LargeButton,
    SmallButton,
    CheckBox,
};

struct SRibbonElement
{
    UINT nID;
    QString strLabel;
    ERibbonElementKind kind;
    QAbstractButton* pButton;
};

class CRibbonPanel : public QFrame
{
    Q_OBJECT
public:
    CRibbonPanel(CRibbonBar* pBar, const QString& strName, const QIcon& icon, QWidget* parent);

    const QString& GetName() const { return m_strName; }
    const QIcon& GetIcon() const { return m_icon; }
    // A button is shown large when it has a large image, small otherwise. Small elements stack in
    // columns of three.
    QToolButton* AddButton(UINT nID, const QString& strLabel, const QIcon& smallIcon = {},
                           const QIcon& largeIcon = {});
    QAbstractButton* AddCheckBox(UINT nID, const QString& strLabel);
    const std::vector<SRibbonElement>& GetElements() const { return m_elements; }

private:
    void AddSmall(QWidget* pWidget);

    CRibbonBar* m_pBar;
    QString m_strName;
    QIcon m_icon;
    QHBoxLayout* m_pContent;
    QWidget* m_pSmallColumn = nullptr;
    int m_nSmallInColumn = 0;
    std::vector<SRibbonElement> m_elements;
};

class CRibbonCategory : public QWidget
{
    Q_OBJECT
public:
    CRibbonCategory(CRibbonBar* pBar, const QString& strName, QWidget* parent);

    const QString& GetName() const { return m_strName; }
    CRibbonPanel* AddPanel(const QString& strName, const QIcon& icon = {});
    int GetPanelCount() const { return int(m_panels.size()); }
    CRibbonPanel* GetPanel(int nIndex) const { return m_panels.at(size_t(nIndex)); }

private:
    CRibbonBar* m_pBar;
    QString m_strName;
    QHBoxLayout* m_pLayout;
    std::vector<CRibbonPanel*> m_panels;
};

class CRibbonBar : public QWidget
{
    Q_OBJECT
public:
    explicit CRibbonBar(QWidget* parent = nullptr);
    ~CRibbonBar() override;

    CRibbonCategory* AddCategory(const QString& strName);
    int GetCategoryCount() const { return int(m_categories.size()); }
    CRibbonCategory* GetCategory(int nIndex) const;
    int GetCategoryIndex(const CRibbonCategory* pCategory) const;
    CRibbonCategory* GetActiveCategory() const { return m_pActive; }
    // Shows the category's page and marks its tab. Every activation goes through here: the tabs,
    // the start-up selection and callers alike.
    virtual bool SetActiveCategory(CRibbonCategory* pCategory, bool bForceRecalc = false);

    // The tab button of a category, or null.
    QAbstractButton* GetCategoryTab(int nIndex) const;
    // Underlines the first occurrence of letter in the button's text, which then answers Alt+letter.
    static void SetMnemonic(QAbstractButton* pButton, QChar letter);
    // Puts the ribbon's controls into the keyboard's Tab order; called once the ribbon is built.
    void UpdateTabOrder();

    // The application button sits at the left, beside the tabs and the page.
    void SetApplicationButton(QAbstractButton* pButton);
    QAbstractButton* GetApplicationButton() const { return m_pAppButton; }

    // Elements on the right of the tabs, in the order added.
    QToolButton* AddToTabs(UINT nID, const QString& strLabel, const QIcon& icon);
    // A drop-down on the right of the tabs; its menu's actions carry command ids (AddMenuCommand).
    QToolButton* AddDropDownToTabs(const QString& strLabel, QMenu* pMenu);
    QAction* AddMenuCommand(QMenu* pMenu, UINT nID, const QString& strLabel);
    const std::vector<SRibbonElement>& GetTabElements() const { return m_tabElements; }

    // Sets tooltip and description (shown together in the element's tooltip).
    static void SetElementTips(QWidget* pWidget, const QString& strTooltip, const QString& strDescription);

    // Ties every element (and every menu command) to the action of its command id, those made so far
    // and those made later.
    void UseActions(std::function<QAction*(UINT)> actionFor);

    // Called by the panels for each new element.
    void RegisterElement(UINT nID, QAbstractButton* pButton);

signals:
    void CommandInvoked(UINT nID);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void TieButton(UINT nID, QAbstractButton* pButton);
    void TieMenuAction(UINT nID, QAction* pMenuAction);

    std::function<QAction*(UINT)> m_actionFor;
    QGridLayout* m_pGrid;
    QWidget* m_pTabRow;
    QHBoxLayout* m_pTabLayout;
    QHBoxLayout* m_pTabRightLayout;
    QButtonGroup* m_pTabGroup;
    QStackedWidget* m_pPages;
    QAbstractButton* m_pAppButton = nullptr;
    std::vector<CRibbonCategory*> m_categories;
    std::vector<QAbstractButton*> m_tabs;
    std::vector<SRibbonElement> m_tabElements;
    std::vector<std::pair<UINT, QAbstractButton*>> m_commandButtons;
    std::vector<std::pair<UINT, QAction*>> m_commandActions;
    CRibbonCategory* m_pActive = nullptr;
};
