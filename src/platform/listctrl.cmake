list(APPEND VEDRIX_GUI_SOURCES
  platform/ListCtrlWidget.h
)
