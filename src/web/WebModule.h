// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Finds and loads the web module (vedrix_web.so) the first time a web view is wanted, and keeps it
// loaded from then on. It is looked for beside the executable (a build folder) and in the program's
// own library folder of an installation (lib/vedrix next to bin).
#include <QString>

class IWebModule;

namespace webmodule
{
// The module, loaded now if it was not yet; nullptr when it cannot be loaded (ErrorString() says why).
IWebModule* Get();
// Whether the module has been loaded in this process.
bool IsLoaded();
QString ErrorString();
} // namespace webmodule
