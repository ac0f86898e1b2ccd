list(APPEND VEDRIX_GUI_SOURCES
  ribbon/RibbonBar.cpp ribbon/RibbonBar.h
  ribbon/CustomMFCRibbonBar.cpp ribbon/CustomMFCRibbonBar.h
  ribbon/CustomMFCRibbonApplicationButton.cpp ribbon/CustomMFCRibbonApplicationButton.h
)
