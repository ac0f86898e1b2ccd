#include "app/Logging.h"

Q_LOGGING_CATEGORY(lcPlayer, "vedrix.player", QtWarningMsg)
Q_LOGGING_CATEGORY(lcList, "vedrix.list", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDirectory, "vedrix.directory", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHotKeys, "vedrix.hotkeys", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWeb, "vedrix.web", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "vedrix.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "vedrix.desktop", QtWarningMsg)
