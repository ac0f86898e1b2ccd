list(APPEND VEDRIX_GUI_SOURCES
  player/WMPPlayer4.h player/WMPPlayer4.cpp
  player/MpvRenderWidget.h player/MpvRenderWidget.cpp
  player/PlayerControlBar.h player/PlayerControlBar.cpp
)
list(APPEND VEDRIX_CORE_SOURCES
  player/MediaPlayer.h
  player/PlayerStatus.h player/PlayerStatus.cpp
  player/StreamAddress.h player/StreamAddress.cpp
)
