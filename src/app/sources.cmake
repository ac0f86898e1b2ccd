list(APPEND VEDRIX_CORE_SOURCES
  app/SettingNames.h
  app/Settings.cpp app/Settings.h
)
list(APPEND VEDRIX_GUI_SOURCES
)
