list(APPEND VEDRIX_GUI_SOURCES
  player/WMPPlayer4.h
)
