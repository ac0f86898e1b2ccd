// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The icons and images live in a static library; whoever shows them first makes them known.
void InitVedrixResources();
