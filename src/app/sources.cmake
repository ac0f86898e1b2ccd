list(APPEND VEDRIX_CORE_SOURCES
  app/SettingNames.h
  app/Settings.cpp app/Settings.h
  app/ServerAddresses.cpp app/ServerAddresses.h
)
list(APPEND VEDRIX_GUI_SOURCES
)
