list(APPEND VEDRIX_CORE_SOURCES
  stations/StationRecord.cpp stations/StationRecord.h
  stations/Playlist.cpp stations/Playlist.h
  stations/MyStations.cpp stations/MyStations.h
  stations/StationDirectory.cpp stations/StationDirectory.h
  stations/FaviconCache.cpp stations/FaviconCache.h
)
# The directory client names itself "Vedrix/<version>" to the directory's servers.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/stations/StationDirectory.cpp PROPERTIES
  COMPILE_DEFINITIONS "VEDRIX_VERSION=\"${PROJECT_VERSION}\"")
