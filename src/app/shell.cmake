list(APPEND VEDRIX_CORE_SOURCES
  app/StringTable.cpp app/StringTable.h
  app/CommandLine.cpp app/CommandLine.h
  app/DesktopEntry.h
)
list(APPEND VEDRIX_GUI_SOURCES
  app/SorvanaApp.cpp app/SorvanaApp.h
  app/AboutDlg.cpp app/AboutDlg.h
  app/NewTypeDlg.cpp app/NewTypeDlg.h
  app/Resources.cpp app/Resources.h
)
