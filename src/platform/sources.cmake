list(APPEND VEDRIX_CORE_SOURCES
  platform/Messages.cpp platform/Messages.h
  platform/CmdTarget.cpp platform/CmdTarget.h
  platform/Document.h
  platform/ListCtrl.h
  platform/HotKeyService.cpp platform/HotKeyService.h
)
list(APPEND VEDRIX_GUI_SOURCES
  platform/WaitCursor.cpp platform/WaitCursor.h
  platform/WinApp.cpp platform/WinApp.h
  platform/View.cpp platform/View.h
  platform/DocTemplate.cpp platform/DocTemplate.h
  platform/MDIFrameWnd.cpp platform/MDIFrameWnd.h
)
