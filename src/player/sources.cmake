list(APPEND VEDRIX_CORE_SOURCES
  player/MediaPlayer.h
  player/ChannelPlayer.cpp player/ChannelPlayer.h
  player/FilterCommands.cpp player/FilterCommands.h
)
list(APPEND VEDRIX_GUI_SOURCES
  player/SorvanaDoc.h
  player/SorvanaView.cpp player/SorvanaView.h
)
