list(APPEND VEDRIX_CORE_SOURCES
  hotkeys/HotKeyBindings.cpp hotkeys/HotKeyBindings.h
)
list(APPEND VEDRIX_GUI_SOURCES
  hotkeys/HotKeyCtrl.cpp hotkeys/HotKeyCtrl.h
  hotkeys/RadioSettingsDoc.h
  hotkeys/RadioSettingsView.cpp hotkeys/RadioSettingsView.h
)
