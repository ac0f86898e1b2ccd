list(APPEND VEDRIX_CORE_SOURCES
  platform/VirtualKeys.cpp platform/VirtualKeys.h
)
list(APPEND VEDRIX_GUI_SOURCES
  platform/HotKeyBackend.cpp platform/HotKeyBackend.h
  platform/X11HotKeyService.cpp platform/X11HotKeyService.h
)
