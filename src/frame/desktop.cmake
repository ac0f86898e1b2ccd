list(APPEND VEDRIX_GUI_SOURCES
  frame/MprisService.cpp frame/MprisService.h
  frame/MprisAdaptors.cpp frame/MprisAdaptors.h
  frame/SongNotifier.cpp frame/SongNotifier.h
)
