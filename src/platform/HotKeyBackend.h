#pragma once
// Installs the hot key service of the running session: the X11 one under xcb, otherwise the
// service stays one that refuses every registration. Called once by the application at start-up.
void InstallHotKeyService();
