# The Windows build, cross-compiled with MinGW-w64 against the libraries of
# packaging/windows/toolchain.sh (its toolchain file sets QUORVANE_WIN_PREFIX)
# and run under Wine. Every program lands in the build folder's top, beside
# the DLLs it needs, so that Quorvane.exe and the test programs start from
# there as they would from an installed copy.
enable_language(RC)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# Test discovery and CTest start the Windows programs through Wine.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/packaging/windows/wine-run.sh)
endif()

# What the programs load at run time: Qt, its platform plugins and the
# Windows style, the libraries, the MinGW runtime, the magic database.
function(quorvane_windows_runtime_files out)
  if(NOT QUORVANE_WIN_PREFIX)
    message(FATAL_ERROR "The Windows build needs the toolchain file of packaging/windows/toolchain.sh")
  endif()
  set(prefix ${QUORVANE_WIN_PREFIX})
  set(files "")
  foreach(module Core Gui Widgets DBus Test)
    list(APPEND files "${prefix}/bin/Qt6${module}.dll")
  endforeach()
  file(GLOB libraries "${prefix}/bin/libtag*.dll" "${prefix}/bin/libexiv2*.dll" "${prefix}/bin/libmagic*.dll")
  list(APPEND files ${libraries})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                  OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
                  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
  find_file(QUORVANE_WINPTHREAD libwinpthread-1.dll
            PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  list(APPEND files ${libstdcxx} ${libgcc} ${QUORVANE_WINPTHREAD} "${prefix}/share/misc/magic.mgc")
  foreach(file ${files})
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "Missing from the Windows toolchain: ${file}")
    endif()
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

quorvane_windows_runtime_files(QUORVANE_WIN_RUNTIME)
set(QUORVANE_WIN_PLUGINS
  platforms/qwindows.dll
  platforms/qoffscreen.dll
  platforms/qminimal.dll
  styles/qwindowsvistastyle.dll
  imageformats/qico.dll
  imageformats/qjpeg.dll
  imageformats/qgif.dll)
file(COPY ${QUORVANE_WIN_RUNTIME} DESTINATION ${PROJECT_BINARY_DIR})
foreach(plugin ${QUORVANE_WIN_PLUGINS})
  get_filename_component(kind ${plugin} DIRECTORY)
  if(EXISTS "${QUORVANE_WIN_PREFIX}/plugins/${plugin}")
    file(COPY "${QUORVANE_WIN_PREFIX}/plugins/${plugin}" DESTINATION ${PROJECT_BINARY_DIR}/${kind})
  endif()
endforeach()

# Qt's own dialogs speak Japanese with its translations, which are the same
# files on every system; qt.conf makes Qt look for them, and for its
# plugins, beside the executable.
if(EXISTS /usr/share/qt6/translations/qtbase_ja.qm)
  file(COPY /usr/share/qt6/translations/qtbase_ja.qm DESTINATION ${PROJECT_BINARY_DIR}/translations)
endif()
file(WRITE ${PROJECT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
