list(APPEND VEDRIX_CORE_SOURCES
  platform/SingleInstance.cpp platform/SingleInstance.h
  platform/Autostart.cpp platform/Autostart.h
  platform/IdleUpdate.cpp platform/IdleUpdate.h
)
