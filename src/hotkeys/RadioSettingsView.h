// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The form on which the user binds, rebinds and clears the four system-wide hot keys. Whenever it
// shows the stored bindings it also registers them on its own window and reports each refusal; the
// hot keys do nothing while it is open (its registrations end with it).
#include <QWidget>

#include <QHash>
#include <array>

class CAppContext;
class CHotKeyCtrl;
class QLabel;

class CRadioSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit CRadioSettingsView(CAppContext& context, QWidget* parent = nullptr);
    ~CRadioSettingsView() override;

    QSize GetFormSize() const;

    // Rows 1 to 4 are the actions Play, Play Next, Play Prev and Stop.
    // Shows the stored binding in the row's field and registers it on this window.
    void LoadHotKeyRow(int nRow);
    void LoadAllHotKeyRows();
    // Stores what the row's field holds; on success shows and registers all rows again.
    void AssignHotKeyRow(int nRow);
    // Empties the row's field and stores that.
    void ClearHotKeyRow(int nRow);

    // The form's control with this id (1010 to 1021), or null.
    QWidget* GetDlgItem(int nID) const { return m_controls.value(nID); }
    CHotKeyCtrl* GetHotKeyCtrl(int nRow) const { return m_hotKeys.at(size_t(nRow - 1)); }

signals:
    // The page shows no player status: empty once the page is up.
    void StatusTextChanged(const QString& strText);

public slots:
    // Once the page is in the main window: the first-showing sizing, then the stored bindings.
    void OnInitialUpdate();

private:
    // Beside each row, what the desktop bound where it is not the row's key (a desktop that lets the
    // user choose); nothing where the desktop binds what it is asked for.
    void ShowAssignedTriggers();
    // A message box over the view; boxes asked for together come one after another.
    void ShowError(const char* pszText);

    CAppContext& m_context;

    std::array<CHotKeyCtrl*, 4> m_hotKeys{};
    std::array<QLabel*, 4> m_assigned{};
    QHash<int, QWidget*> m_controls;
};
