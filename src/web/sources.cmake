list(APPEND VEDRIX_CORE_SOURCES
)
list(APPEND VEDRIX_GUI_SOURCES
  web/PromoDoc.h web/PromoView.h web/HardwareStoreDoc.h web/HardwareStoreView.h
)
