list(APPEND VEDRIX_CORE_SOURCES
)
list(APPEND VEDRIX_GUI_SOURCES
  web/WebPage.cpp web/WebPage.h
  web/WebPane.cpp web/WebPane.h
  web/WebView.cpp web/WebView.h
  web/WebViewSetup.cpp web/WebViewSetup.h
  web/PromoDoc.h web/PromoView.cpp web/PromoView.h
  web/HardwareStoreDoc.h web/HardwareStoreView.cpp web/HardwareStoreView.h
)
