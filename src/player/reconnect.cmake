list(APPEND VEDRIX_CORE_SOURCES
  player/ReconnectPolicy.h player/ReconnectPolicy.cpp
)
