# The sources of each target, listed one by one (paths relative to the
# project): a new file is added here, in the layer it belongs to.

# The sources of each layer, listed one by one (paths relative to the
# project): a new file is added here, in the layer it belongs to. Each layer
# is a library of its own and links only the layers below it; the include
# check (cmake/CheckWalls.cmake) stops an include that runs the wrong way.

# One QtCore-only layer: its sources, then the layers it builds on.
function(quorvane_layer name)
  cmake_parse_arguments(LAYER "" "" "SOURCES;LINKS" ${ARGN})
  list(TRANSFORM LAYER_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
  add_library(${name} STATIC ${LAYER_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${LAYER_LINKS} PRIVATE quorvane_warnings)
endfunction()

# The rows, the journal, names and paths.
set(QUORVANE_CORE_SOURCES
  core/Blanks.h
  core/CaseStepName.cpp
  core/MoveOrder.cpp
  core/MoveOrder.h
  core/CaseStepName.h
  core/CommandError.h
  core/CommandLine.cpp
  core/CommandLine.h
  core/FailingRows.cpp
  core/FailingRows.h
  core/GivenPaths.cpp
  core/GivenPaths.h
  core/FreeLater.cpp
  core/FreeLater.h
  core/FileTrust.cpp
  core/FileTrust.h
  core/IniDocument.cpp
  core/IniDocument.h
  core/JournalDisk.h
  core/JournalRecovery.cpp
  core/JournalRecovery.h
  core/ListOps.cpp
  core/ListOps.h
  core/Log.cpp
  core/Log.h
  core/LegacyCodePages.h
  core/LegacyNames.cpp
  core/LegacyNames.h
  core/NameBytes.cpp
  core/NameBytes.h
  core/NameText.cpp
  core/NameText.h
  core/NewNameTask.cpp
  core/NewNameTask.h
  core/Options.h
  core/Paths.cpp
  core/Paths.h
  core/RenameEntry.h
  core/RenameJournal.cpp
  core/RenameJournal.h
  core/RenameJournalFormat.cpp
  core/RenameJournalFormat.h
  core/RenameList.cpp
  core/RenameList.h
  core/NameTable.cpp
  core/RenamePreview.cpp
  core/RenamePreview.h
  core/RenameWalk.cpp
  core/RenameWalk.h
  core/Services.cpp
  core/Services.h
  core/SettingsPath.cpp
  core/SettingsPath.h
  core/SlicedTask.h
  core/StoredSettings.cpp
  core/StoredSettings.h
  core/SystemErrorText.cpp
  core/SystemErrorText.h
)
if(WIN32)
  list(APPEND QUORVANE_CORE_SOURCES core/FileTrust_win.cpp core/LegacyCodePages_win.cpp)
else()
  list(APPEND QUORVANE_CORE_SOURCES core/FileTrust_posix.cpp core/LegacyCodePages_qt.cpp)
endif()
quorvane_layer(quorvane_core SOURCES ${QUORVANE_CORE_SOURCES} LINKS Qt6::Core)
# The settings folder is never a portable copy under the installation prefix.
target_compile_definitions(quorvane_core PRIVATE QUORVANE_INSTALL_PREFIX="${CMAKE_INSTALL_PREFIX}")

# The name operations.
quorvane_layer(quorvane_ops LINKS quorvane_core SOURCES
  ops/CaseConversion.cpp
  ops/CaseConversion.h
  ops/DateFormat.cpp
  ops/DateFormat.h
  ops/Deletion.cpp
  ops/Deletion.h
  ops/ExtensionDetection.cpp
  ops/ExtensionDetection.h
  ops/ForbiddenCharacters.cpp
  ops/ForbiddenCharacters.h
  ops/InsertionCommand.cpp
  ops/InsertionCommand.h
  ops/InsertionHistory.cpp
  ops/InsertionHistory.h
  ops/InsertionTemplate.cpp
  ops/InsertionTemplate.h
  ops/NameParts.cpp
  ops/NameParts.h
  ops/NameRepair.cpp
  ops/NameRepair.h
  ops/PatternErrorText.cpp
  ops/PatternErrorText.h
  ops/PropertyNames.cpp
  ops/PropertyNames.h
  ops/RowRewrite.h
  ops/SearchReplace.cpp
  ops/SearchReplace.h
  ops/TextElements.cpp
  ops/TextElements.h
  ops/WidthConversion.cpp
  ops/WidthConversion.h
)

# Paths and folders becoming rows, and their order.
quorvane_layer(quorvane_intake LINKS quorvane_core SOURCES
  intake/FolderScan.cpp
  intake/FolderScan.h
  intake/ListSort.cpp
  intake/ListSort.h
  intake/PathIntake.cpp
  intake/PathIntake.h
  intake/PathKinds.cpp
  intake/PathKinds.h
  intake/RepeatedPaths.cpp
  intake/RepeatedPaths.h
  intake/SortKeys.cpp
  intake/SortKeys.h
)

# The round trip through a text editor.
quorvane_layer(quorvane_editor LINKS quorvane_core SOURCES
  editor/EditorFallback.cpp
  editor/EditorFallback.h
  editor/EditorLauncher.h
  editor/EditorRoundTrip.cpp
  editor/EditorRoundTrip.h
  editor/ExchangeFile.cpp
  editor/ExchangeFile.h
  editor/KnownEditors.cpp
  editor/KnownEditors.h
)

# The application: the session the window shows.
quorvane_layer(quorvane_app LINKS quorvane_core quorvane_ops quorvane_intake quorvane_editor SOURCES
  app/AppServices.h
  app/Command.h
  app/CycleHints.cpp
  app/PlannedWalk.cpp
  app/PlannedWalk.h
  app/ThreadedTask.h
  app/PreviewRunner.cpp
  app/PreviewRunner.h
  app/CycleHints.h
  app/NoDetails.h
  app/ProductInfo.cpp
  app/ProductInfo.h
  app/RenameSession.cpp
  app/RenameSession.h
  app/SessionCommands.cpp
  app/SessionRename.cpp
  app/SessionSettings.cpp
  app/TaskRunner.cpp
  app/TaskRunner.h
)

# The system services: shared files, then one implementation per system.
set(QUORVANE_PLATFORM_SOURCES
  platform/CommandLinePaths.cpp
  platform/CommandLinePaths.h
  platform/DesktopServices.cpp
  platform/DesktopServices.h
  platform/DetachedStart.cpp
  platform/DetachedStart.h
  platform/DetailColumns.cpp
  platform/DetailColumns.h
  platform/DurableFiles.h
  platform/EditorPlatform.h
  platform/ExifDates.cpp
  platform/ExifDates.h
  platform/MovieHeader.cpp
  platform/MovieHeader.h
  platform/IconTable.cpp
  platform/IconTable.h
  platform/MagicTypeDetector.cpp
  platform/MagicTypeDetector.h
  platform/ProgramFile.cpp
  platform/ReadOpen.cpp
  platform/ReadOpen.h
  platform/ProgramFile.h
  platform/QProcessEditorLauncher.cpp
  platform/QProcessEditorLauncher.h
  platform/RenameReasons.cpp
  platform/RenameReasons.h
  platform/ShellRename.h
  platform/SystemCollation.h
  platform/SystemFolderLister.cpp
  platform/SystemFolderLister.h
  platform/SystemFolderRules.h)
if(WIN32)
  set(QUORVANE_PLATFORM_WIN_SOURCES
  platform/CommandLinePaths_win.cpp
  platform/DurableFiles_win.cpp
  platform/EditorPlatform_win.cpp
  platform/FolderLister_win.cpp
  platform/FolderRules_win.cpp
  platform/ShellRename_win.cpp
  platform/WindowsPaths.cpp
  platform/WindowsPaths.h)
  list(APPEND QUORVANE_PLATFORM_SOURCES ${QUORVANE_PLATFORM_WIN_SOURCES})
else()
  set(QUORVANE_PLATFORM_POSIX_SOURCES
  platform/CommandLinePaths_posix.cpp
  platform/DurableFiles_posix.cpp
  platform/EditorPlatform_posix.cpp
  platform/FolderLister_posix.cpp
  platform/FolderRules_posix.cpp
  platform/ShellRename_posix.cpp)
  list(APPEND QUORVANE_PLATFORM_SOURCES ${QUORVANE_PLATFORM_POSIX_SOURCES})
endif()
# Sort keys come straight from ICU where Qt's collation runs on it.
find_package(ICU COMPONENTS i18n uc)
if(ICU_FOUND)
  list(APPEND QUORVANE_PLATFORM_SOURCES platform/SystemCollation_icu.cpp)
else()
  list(APPEND QUORVANE_PLATFORM_SOURCES platform/SystemCollation_none.cpp)
endif()
list(TRANSFORM QUORVANE_PLATFORM_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
add_library(quorvane_platform STATIC ${QUORVANE_PLATFORM_SOURCES})
target_include_directories(quorvane_platform PUBLIC ${PROJECT_SOURCE_DIR} PRIVATE ${MAGIC_INCLUDE_DIR})
target_link_libraries(quorvane_platform
  PUBLIC quorvane_core quorvane_ops quorvane_editor Qt6::Gui Qt6::DBus
  PRIVATE quorvane_warnings PkgConfig::TAGLIB PkgConfig::EXIV2 ${MAGIC_LIBRARY})
if(ICU_FOUND)
  target_link_libraries(quorvane_platform PRIVATE ICU::i18n ICU::uc)
endif()

# The window and its dialogs live in a library so that widget tests can
# drive the real main window; the executable adds only main(), which builds
# every system service and hands them down.
set(QUORVANE_UI_SOURCES
  ui/ApplicationIcon.cpp
  ui/ApplicationIcon.h
  ui/AutoRenameDialog.cpp
  ui/AutoRenameDialog.h
  ui/ButtonTable.cpp
  ui/ButtonTable.h
  ui/JournalHistoryDialog.cpp
  ui/JournalHistoryDialog.h
  ui/JournalPrompts.cpp
  ui/JournalPrompts.h
  ui/MainLayout.cpp
  ui/MainLayout.h
  ui/MainWindow.cpp
  ui/MainWindow.h
  ui/MainWindowCommands.cpp
  ui/MainWindowSession.cpp
  ui/MenuTable.cpp
  ui/MenuTable.h
  ui/PathBoxFilter.cpp
  ui/PathBoxFilter.h
  ui/QtTranslations.cpp
  ui/QtTranslations.h
  ui/RenameListModel.cpp
  ui/RenameListModel.h
  ui/RenameListView.cpp
  ui/RenameListView.h
  ui/RenameReportDialog.cpp
  ui/RenameReportDialog.h
  ui/StatusPanel.cpp
  ui/StatusPanel.h
  ui/Twips.h
  ui/WindowPlacement.cpp
  ui/WindowPlacement.h
)
list(TRANSFORM QUORVANE_UI_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
add_library(quorvane_ui STATIC ${QUORVANE_UI_SOURCES})
target_link_libraries(quorvane_ui PUBLIC quorvane_app quorvane_platform Qt6::Widgets PRIVATE quorvane_warnings)
# The icon is compiled in as well, so the program in the build folder shows
# it; the desktop entry's name tells Wayland compositors which icon is ours.
# Windows draws no SVG without Qt's SVG plugin, so there the window takes the
# .ico that Explorer shows (packaging/windows/make-icon.sh).
if(WIN32)
  set(QUORVANE_ICON_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/quorvane.ico)
else()
  set(QUORVANE_ICON_FILE ${PROJECT_SOURCE_DIR}/packaging/quorvane.svg)
endif()
get_filename_component(QUORVANE_ICON_NAME ${QUORVANE_ICON_FILE} NAME)
get_filename_component(QUORVANE_ICON_BASE ${QUORVANE_ICON_FILE} DIRECTORY)
qt_add_resources(quorvane_ui quorvane_icon PREFIX /icons BASE ${QUORVANE_ICON_BASE} FILES ${QUORVANE_ICON_FILE})
target_compile_definitions(quorvane_ui PRIVATE QUORVANE_APP_ID="${QUORVANE_APP_ID}"
                           QUORVANE_ICON_RESOURCE=":/icons/${QUORVANE_ICON_NAME}")

add_executable(quorvane ${PROJECT_SOURCE_DIR}/main.cpp)
target_link_libraries(quorvane PRIVATE quorvane_ui quorvane_platform quorvane_warnings)
if(WIN32)
  # Quorvane.exe, a window program without a console.
  set_target_properties(quorvane PROPERTIES OUTPUT_NAME Quorvane WIN32_EXECUTABLE ON)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/Quorvane.rc.in ${PROJECT_BINARY_DIR}/Quorvane.rc @ONLY)
  target_sources(quorvane PRIVATE ${PROJECT_BINARY_DIR}/Quorvane.rc)
endif()

include(cmake/CheckWalls.cmake)
