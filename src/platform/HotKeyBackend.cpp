#include "platform/HotKeyBackend.h"

void InstallHotKeyService() {}
