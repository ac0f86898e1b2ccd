list(APPEND VEDRIX_CORE_SOURCES
  platform/ListCtrlModel.cpp platform/ListCtrlModel.h
  platform/HugePages.cpp platform/HugePages.h
)
list(APPEND VEDRIX_GUI_SOURCES
  platform/ListCtrlWidget.cpp platform/ListCtrlWidget.h
)
