// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How the web module starts the web engine: set once, before the engine's first use.
#include <QString>
#include <QStringList>

namespace webengine
{
// Chooses how the pages are drawn and hands the engine its switches; idempotent.
void Prepare();
// Called once the engine runs (its first page exists): undoes what Prepare() set only for its start.
void Started();
// The engine's switches from the user's own (QTWEBENGINE_CHROMIUM_FLAGS) followed by those of ours
// that the user did not give; a switch of the user's wins over ours of the same name.
QString MergedSwitches(const QString& strUser, const QStringList& ours);
} // namespace webengine
