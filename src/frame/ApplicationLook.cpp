// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/ApplicationLook.h"
#include "base/TextAreas.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace looks
{
namespace
{
struct SLook
{
    const char* style;
    // Application palette.
    const char *window, *base, *text, *highlight, *button;
    // Ribbon and status bar.
    const char *tabRowTop, *tabRowBottom, *tabText, *tabActiveTop, *tabActiveBottom, *tabActiveText;
    const char *pageTop, *pageBottom, *panelTop, *panelBottom, *panelBorder, *captionBack, *captionText;
    const char *elementText, *hoverTop, *hoverBottom, *hoverBorder, *pressedTop, *pressedBottom;
    const char *orbTop, *orbBottom, *statusTop, *statusBottom, *statusText;
};

// Indexed by id - 210; the colours in the order of SLook, one line per group.
// clang-format off
const SLook kLooks[] = {
    // 210 Windows 2000: flat classic grey.
    {"Windows", "#d4d0c8", "#ffffff", "#000000", "#0a246a", "#d4d0c8",
     "#d4d0c8", "#d4d0c8", "#000000", "#e8e6e1", "#d4d0c8", "#000000",
     "#d4d0c8", "#d4d0c8", "#d4d0c8", "#d4d0c8", "#808080", "#bcb8b0", "#000000",
     "#000000", "#e8e6e1", "#e8e6e1", "#808080", "#bcb8b0", "#bcb8b0",
     "#3a6ea5", "#0a246a", "#d4d0c8", "#d4d0c8", "#000000"},
    // 211 Office XP: light, with the blue-framed hover.
    {"Windows", "#f3f2ee", "#ffffff", "#000000", "#316ac5", "#f3f2ee",
     "#e9e7e0", "#dedbd1", "#000000", "#ffffff", "#f7f6f3", "#000000",
     "#f7f6f3", "#ecebe6", "#fbfbf9", "#efede8", "#a7a6aa", "#e1dfd8", "#404040",
     "#000000", "#c1d2ee", "#c1d2ee", "#316ac5", "#98b5e2", "#98b5e2",
     "#6f93c7", "#2c4f8a", "#ecebe6", "#dedbd1", "#000000"},
    // 212 Windows XP: Luna blue and beige.
    {"Fusion", "#ece9d8", "#ffffff", "#000000", "#316ac5", "#ece9d8",
     "#3c7fe1", "#2058c6", "#ffffff", "#fcfcfe", "#ece9d8", "#000000",
     "#f6f5ee", "#e3e0cf", "#fcfcf8", "#ebe8d8", "#aca899", "#d8d4c0", "#333333",
     "#000000", "#fff3c2", "#fbd77a", "#e3a21a", "#f0b34c", "#e8962a",
     "#68b04a", "#2f7a1f", "#ece9d8", "#d9d5c1", "#000000"},
    // 213 Office 2003: blue gradients, orange hover.
    {"Fusion", "#e3effe", "#ffffff", "#000000", "#3169c6", "#dbe8fb",
     "#9ebff6", "#7aa1e6", "#ffffff", "#f3f8ff", "#d6e6fc", "#0a246a",
     "#e3effe", "#b9d3f9", "#f1f6fe", "#c4daf9", "#6f9de3", "#9cbdf0", "#0a246a",
     "#000000", "#fff2c8", "#ffd38c", "#000080", "#fdc16c", "#fb9a45",
     "#4a84d8", "#163f8c", "#c3daf9", "#9ebff6", "#0a246a"},
    // 214 Visual Studio 2005: warm grey.
    {"Fusion", "#f0f0ea", "#ffffff", "#000000", "#316ac5", "#eeede5",
     "#e4e2d5", "#d5d2c1", "#000000", "#fcfcf9", "#f0f0ea", "#000000",
     "#f7f7f3", "#e7e5da", "#fbfbf8", "#ebe9df", "#a8a597", "#dad7c9", "#555555",
     "#000000", "#c1d2ee", "#c1d2ee", "#316ac5", "#98b5e2", "#98b5e2",
     "#7b8fa8", "#3c4c62", "#eeede5", "#d5d2c1", "#000000"},
    // 215 Office 2007 Blue.
    {"Fusion", "#dfe9f5", "#ffffff", "#15283b", "#3d7bc8", "#e4edf8",
     "#cddff3", "#b9d1ee", "#15428b", "#fdfeff", "#e4edf8", "#15428b",
     "#e6effa", "#c6d9f0", "#f1f6fd", "#d3e2f5", "#99b7dd", "#c2d6ee", "#3e6aaa",
     "#15428b", "#fff8d9", "#ffd86b", "#dbb33f", "#fbc078", "#f6954a",
     "#7db4ef", "#1c4f94", "#dae7f7", "#bfd3ee", "#15428b"},
    // 216 Office 2007 Black: charcoal frame around silver-grey panels.
    {"Fusion", "#e4e4e4", "#ffffff", "#1e1e1e", "#5a6577", "#e6e6e6",
     "#4f4f4f", "#2d2d2d", "#f0f0f0", "#f6f6f6", "#dedede", "#1e1e1e",
     "#ececec", "#c8c8c8", "#f7f7f7", "#d9d9d9", "#8d8d8d", "#6a6a6a", "#ffffff",
     "#1e1e1e", "#fff6d5", "#ffd86b", "#c9a23a", "#fbc078", "#f6954a",
     "#8a8a8a", "#141414", "#505050", "#2b2b2b", "#ffffff"},
    // 217 Office 2007 Silver: cool light greys.
    {"Fusion", "#eceef2", "#ffffff", "#25292f", "#6f8197", "#eef0f3",
     "#e6e9ed", "#d2d7de", "#3b4552", "#ffffff", "#f0f2f5", "#3b4552",
     "#f4f5f7", "#dde1e6", "#fafbfc", "#e4e7eb", "#aeb6c1", "#d3d8df", "#4c535c",
     "#2a3038", "#fff8d9", "#ffd86b", "#dbb33f", "#fbc078", "#f6954a",
     "#b9c3cf", "#56616f", "#eef0f3", "#d5dae1", "#3b4552"},
    // 218 Office 2007 Aqua: teal tints.
    {"Fusion", "#e2eff1", "#ffffff", "#15303a", "#2f8fa6", "#e4f0f2",
     "#c8e2e8", "#a9d0da", "#1d4c59", "#fbfeff", "#e1eff2", "#1d4c59",
     "#e5f2f4", "#bfdde4", "#f0f8f9", "#cfe7ec", "#85bac6", "#b3d7df", "#2a6372",
     "#173f4a", "#fff8d9", "#ffd86b", "#dbb33f", "#fbc078", "#f6954a",
     "#5fc2d5", "#176273", "#d6ebef", "#b2d6de", "#1d4c59"},
};
// clang-format on

const SLook* g_pLastOffice2007 = &kLooks[ID_VIEW_APPLOOK_OFF_2007_BLACK - kFirstLook];

QString RibbonStyleSheet(const SLook& l)
{
    QString css = QStringLiteral(R"(
#RibbonBar { background: %pageBottom; }
#RibbonTabRow, #RibbonApplicationColumn {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %tabRowTop, stop:1 %tabRowBottom); }
#RibbonApplicationColumn { border-bottom: 1px solid %panelBorder; }
QToolButton#RibbonTab { color: %tabText; padding: 3px 14px; margin-top: 2px; border: 1px solid transparent;
  border-top-left-radius: 4px; border-top-right-radius: 4px; border-bottom: none; }
QToolButton#RibbonTab:hover { border-color: %panelBorder; background: rgba(255,255,255,60); }
QToolButton#RibbonTab:checked { color: %tabActiveText; border: 1px solid %panelBorder; border-bottom: none;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %tabActiveTop, stop:1 %tabActiveBottom); }
QToolButton#RibbonTabElement { color: %tabText; padding: 2px 6px; border: 1px solid transparent; border-radius: 3px; }
QToolButton#RibbonTabElement:hover { border-color: %hoverBorder;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %hoverTop, stop:1 %hoverBottom); color: #202020; }
QToolButton#RibbonTabElement::menu-indicator { subcontrol-position: right center; }
QToolButton#RibbonApplicationButton { border: 1px solid %orbBottom; border-radius: 22px;
  background: qradialgradient(cx:0.5, cy:0.3, radius:0.8, fx:0.5, fy:0.2, stop:0 #ffffff, stop:0.35 %orbTop, stop:1 %orbBottom); }
QToolButton#RibbonApplicationButton:hover { border-color: %hoverBorder;
  background: qradialgradient(cx:0.5, cy:0.3, radius:0.8, fx:0.5, fy:0.2, stop:0 #ffffff, stop:0.35 %hoverBottom, stop:1 %pressedBottom); }
#RibbonPages { border-top: 1px solid %panelBorder; border-bottom: 1px solid %panelBorder;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %pageTop, stop:1 %pageBottom); }
#RibbonCategory { background: transparent; }
CRibbonPanel, #RibbonPanel { border: 1px solid %panelBorder; border-radius: 3px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %panelTop, stop:1 %panelBottom); }
QLabel#RibbonPanelCaption { color: %captionText; background: %captionBack; border-top: 1px solid %panelBorder;
  border-bottom-left-radius: 3px; border-bottom-right-radius: 3px; padding: 1px 6px; }
QToolButton#RibbonLargeButton, QToolButton#RibbonSmallButton { color: %elementText; border: 1px solid transparent;
  border-radius: 3px; padding: 1px 3px; }
QToolButton#RibbonLargeButton:hover, QToolButton#RibbonSmallButton:hover { border-color: %hoverBorder;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %hoverTop, stop:1 %hoverBottom); }
QToolButton#RibbonLargeButton:pressed, QToolButton#RibbonSmallButton:pressed { border-color: %hoverBorder;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %pressedTop, stop:1 %pressedBottom); }
QToolButton#RibbonLargeButton:disabled, QToolButton#RibbonSmallButton:disabled, QCheckBox#RibbonCheckBox:disabled { color: #8a8a8a; }
QCheckBox#RibbonCheckBox { color: %elementText; padding: 1px 3px; }
QCheckBox#RibbonCheckBox:hover { border: 1px solid %hoverBorder; border-radius: 3px; padding: 0px 2px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %hoverTop, stop:1 %hoverBottom); }
)");
    const std::pair<const char*, const char*> vars[] = {
        {"%tabRowTop", l.tabRowTop},
        {"%tabRowBottom", l.tabRowBottom},
        {"%tabText", l.tabText},
        {"%tabActiveTop", l.tabActiveTop},
        {"%tabActiveBottom", l.tabActiveBottom},
        {"%tabActiveText", l.tabActiveText},
        {"%pageTop", l.pageTop},
        {"%pageBottom", l.pageBottom},
        {"%panelTop", l.panelTop},
        {"%panelBottom", l.panelBottom},
        {"%panelBorder", l.panelBorder},
        {"%captionBack", l.captionBack},
        {"%captionText", l.captionText},
        {"%elementText", l.elementText},
        {"%hoverTop", l.hoverTop},
        {"%hoverBottom", l.hoverBottom},
        {"%hoverBorder", l.hoverBorder},
        {"%pressedTop", l.pressedTop},
        {"%pressedBottom", l.pressedBottom},
        {"%orbTop", l.orbTop},
        {"%orbBottom", l.orbBottom},
    };
    // Longer names first, so that no name is replaced inside a longer one.
    std::vector<std::pair<QString, QString>> sorted;
    for (const auto& [name, value] : vars)
        sorted.emplace_back(QString::fromLatin1(name), QString::fromLatin1(value));
    std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [name, value] : sorted)
        css.replace(name, value);
    return css;
}

QString StatusStyleSheet(const SLook& l)
{
    return QStringLiteral("QStatusBar { color: %3; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                          "stop:0 %1, stop:1 %2); } QStatusBar QLabel { color: %3; padding: 0px 4px; } "
                          "QStatusBar::item { border: none; }")
        .arg(QLatin1String(l.statusTop), QLatin1String(l.statusBottom), QLatin1String(l.statusText));
}

QPalette Palette(const SLook& l)
{
    QPalette p;
    const QColor window(QLatin1String(l.window)), base(QLatin1String(l.base)), text(QLatin1String(l.text));
    const QColor button(QLatin1String(l.button)), highlight(QLatin1String(l.highlight));
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window.lighter(104));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xf0));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Light, button.lighter(150));
    p.setColor(QPalette::Midlight, button.lighter(115));
    p.setColor(QPalette::Mid, button.darker(130));
    p.setColor(QPalette::Dark, button.darker(160));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Link, highlight.darker(120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8a, 0x8a, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8a, 0x8a, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8a, 0x8a, 0x8a));
    return p;
}
} // namespace

// Shown in the user's language; the stored look stays its number, whatever the label says.
QString MenuLabel(UINT nLook)
{
    static const char* const labels[] = {
        QT_TRANSLATE_NOOP("Ribbon", "Windows &2000"),
        QT_TRANSLATE_NOOP("Ribbon", "Office &XP"),
        QT_TRANSLATE_NOOP("Ribbon", "&Windows XP"),
        QT_TRANSLATE_NOOP("Ribbon", "Office 200&3"),
        QT_TRANSLATE_NOOP("Ribbon", "Visual Studio.NET 200&5"),
        QT_TRANSLATE_NOOP("Ribbon", "&Blue Style"),
        QT_TRANSLATE_NOOP("Ribbon", "B&lack Style"),
        QT_TRANSLATE_NOOP("Ribbon", "&Silver Style"),
        QT_TRANSLATE_NOOP("Ribbon", "&Aqua Style"),
    };
    return nLook >= kFirstLook && nLook <= kLastLook ? text::Ribbon::tr(labels[nLook - kFirstLook])
                                                     : QString();
}

QString StyleMenuLabel(UINT nLook)
{
    if (nLook < ID_VIEW_APPLOOK_OFF_2007_BLUE || nLook > kLastLook)
        return {};
    //: The ribbon's Style drop-down; %1 is the colour's label ("&Blue Style").
    return text::Ribbon::tr("Office 2007 (%1)").arg(MenuLabel(nLook));
}

UINT NextLook(UINT nLook)
{
    const UINT next = nLook + 1;
    return next > kLastLook ? ID_VIEW_APPLOOK_OFF_2007_BLUE : next;
}

void Apply(UINT nLook, QWidget* pRibbon, QWidget* pStatusBar)
{
    const SLook* look = g_pLastOffice2007;
    if (nLook >= kFirstLook && nLook <= kLastLook)
        look = &kLooks[nLook - kFirstLook];
    if (nLook >= ID_VIEW_APPLOOK_OFF_2007_BLUE && nLook <= kLastLook)
        g_pLastOffice2007 = look;

    const QString styleName = QString::fromLatin1(look->style);
    if (!QApplication::style() || QApplication::style()->name().compare(styleName, Qt::CaseInsensitive) != 0)
        if (QStyle* style = QStyleFactory::create(styleName))
            QApplication::setStyle(style);
    QApplication::setPalette(Palette(*look));
    if (pRibbon)
        pRibbon->setStyleSheet(RibbonStyleSheet(*look));
    if (pStatusBar)
        pStatusBar->setStyleSheet(StatusStyleSheet(*look));
}
} // namespace looks
