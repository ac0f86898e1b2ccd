list(APPEND VEDRIX_CORE_SOURCES
  player/NowPlaying.cpp player/NowPlaying.h
  player/TypeAheadSearch.cpp player/TypeAheadSearch.h
)
list(APPEND VEDRIX_GUI_SOURCES
  player/NowPlayingReporter.cpp player/NowPlayingReporter.h
  player/ChannelTypeAhead.cpp player/ChannelTypeAhead.h
)
