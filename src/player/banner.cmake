list(APPEND VEDRIX_GUI_SOURCES
  player/Explorer1.cpp player/Explorer1.h
)
