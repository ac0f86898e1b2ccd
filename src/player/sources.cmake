list(APPEND VEDRIX_CORE_SOURCES
  player/MediaPlayer.h
)
list(APPEND VEDRIX_GUI_SOURCES
  player/SorvanaDoc.h player/SorvanaView.h
)
