list(APPEND VEDRIX_GUI_SOURCES
  platform/HotKeyBackend.cpp platform/HotKeyBackend.h
)
