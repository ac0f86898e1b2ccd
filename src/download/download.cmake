list(APPEND VEDRIX_CORE_SOURCES
  download/FileDownloadManager.cpp download/FileDownloadManager.h
)
list(APPEND VEDRIX_GUI_SOURCES
  download/DlgFileDownloader.cpp download/DlgFileDownloader.h
)
