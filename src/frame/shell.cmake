list(APPEND VEDRIX_GUI_SOURCES
  frame/MainFrame.cpp frame/MainFrame.h
  frame/RibbonLayout.cpp
  frame/ApplicationLook.cpp frame/ApplicationLook.h
  frame/TrayIcon.cpp frame/TrayIcon.h
)
