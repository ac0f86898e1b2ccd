list(APPEND VEDRIX_CORE_SOURCES
)
list(APPEND VEDRIX_GUI_SOURCES
  hotkeys/RadioSettingsDoc.h hotkeys/RadioSettingsView.h
)
