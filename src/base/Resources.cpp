// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must run outside any namespace.
static void InitResourcesOnce()
{
    Q_INIT_RESOURCE(vedrix);
}

void InitVedrixResources()
{
    static const bool done = (InitResourcesOnce(), true);
    Q_UNUSED(done);
}
