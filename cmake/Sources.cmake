# Each folder's sources are globbed so that a new file joins its layer by
# being put in the right folder; CONFIGURE_DEPENDS re-runs the glob on build.
file(GLOB QUORVANE_CORE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/core/*.h
  ${PROJECT_SOURCE_DIR}/ops/*.cpp ${PROJECT_SOURCE_DIR}/ops/*.h
  ${PROJECT_SOURCE_DIR}/intake/*.cpp ${PROJECT_SOURCE_DIR}/intake/*.h
  ${PROJECT_SOURCE_DIR}/editor/*.cpp ${PROJECT_SOURCE_DIR}/editor/*.h)
add_library(quorvane_core STATIC ${QUORVANE_CORE_SOURCES})
target_include_directories(quorvane_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvane_core PUBLIC Qt6::Core PRIVATE quorvane_warnings)
# The settings folder is never a portable copy under the installation prefix.
target_compile_definitions(quorvane_core PRIVATE QUORVANE_INSTALL_PREFIX="${CMAKE_INSTALL_PREFIX}")

file(GLOB QUORVANE_PLATFORM_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/platform/*.cpp ${PROJECT_SOURCE_DIR}/platform/*.h)
if(WIN32)
  list(FILTER QUORVANE_PLATFORM_SOURCES EXCLUDE REGEX "_posix\\.cpp$")
else()
  list(FILTER QUORVANE_PLATFORM_SOURCES EXCLUDE REGEX "_win\\.cpp$")
endif()
add_library(quorvane_platform STATIC ${QUORVANE_PLATFORM_SOURCES})
target_include_directories(quorvane_platform PRIVATE ${MAGIC_INCLUDE_DIR})
target_link_libraries(quorvane_platform
  PUBLIC quorvane_core Qt6::Gui Qt6::DBus
  PRIVATE quorvane_warnings PkgConfig::TAGLIB ${MAGIC_LIBRARY})

# The window and its dialogs live in a library so that widget tests can
# drive the real frmMain; the executable adds only main().
file(GLOB QUORVANE_UI_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h)
add_library(quorvane_ui STATIC ${QUORVANE_UI_SOURCES})
target_link_libraries(quorvane_ui PUBLIC quorvane_platform Qt6::Widgets PRIVATE quorvane_warnings)
# The icon is compiled in as well, so the program in the build folder shows
# it; the desktop entry's name tells Wayland compositors which icon is ours.
qt_add_resources(quorvane_ui quorvane_icon PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/packaging
                 FILES ${PROJECT_SOURCE_DIR}/packaging/quorvane.svg)
target_compile_definitions(quorvane_ui PRIVATE QUORVANE_APP_ID="${QUORVANE_APP_ID}")

add_executable(quorvane ${PROJECT_SOURCE_DIR}/main.cpp)
target_link_libraries(quorvane PRIVATE quorvane_ui quorvane_warnings)
