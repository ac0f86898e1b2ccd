list(APPEND VEDRIX_CORE_SOURCES
  catalogue/Array.h catalogue/StringPool.h
  catalogue/ChannelRecord.cpp catalogue/ChannelRecord.h
  catalogue/ChannelCatalogue.cpp catalogue/ChannelCatalogue.h
  catalogue/Utf16LineReader.cpp catalogue/Utf16LineReader.h
  catalogue/DataFolder.cpp catalogue/DataFolder.h
)
