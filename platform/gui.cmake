add_library(platform_gui STATIC
  dialogs.cpp
  sound.cpp
  launcher.cpp
  screens.cpp
)
target_include_directories(platform_gui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_gui PUBLIC platform_core Qt6::Widgets Qt6::Multimedia)
