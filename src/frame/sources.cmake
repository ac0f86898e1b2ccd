list(APPEND VEDRIX_CORE_SOURCES
)
list(APPEND VEDRIX_GUI_SOURCES
  frame/ChildFrame.cpp frame/ChildFrame.h
  frame/ChannelListRefresh.cpp frame/ChannelListRefresh.h
)
