add_library(platform_gui STATIC
  dialogs.cpp
  screens.cpp
)
target_include_directories(platform_gui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_gui PUBLIC platform_core Qt6::Widgets)
# Sound and the editor launch: the Windows calls there, Qt Multimedia and the desktop's
# opener elsewhere.
if(WIN32)
  target_sources(platform_gui PRIVATE sound_win.cpp launcher_win.cpp)
  target_link_libraries(platform_gui PUBLIC winmm)
else()
  target_sources(platform_gui PRIVATE sound_qt.cpp launcher_posix.cpp)
  target_link_libraries(platform_gui PUBLIC Qt6::Multimedia)
endif()
