# The sources of each target, listed one by one (paths relative to the
# project): a new file is added here, in the layer it belongs to.

# The QtCore-only layers: the rows, the name operations, the intake and the
# editor round trip.
set(QUORVANE_CORE_SOURCES
  core/Blanks.h
  core/CaseStepName.cpp
  core/CaseStepName.h
  core/CommandError.h
  core/CommandLine.cpp
  core/CommandLine.h
  core/FileTrust.cpp
  core/FileTrust.h
  core/JournalDisk.h
  core/JournalRecovery.cpp
  core/JournalRecovery.h
  core/ListOps.cpp
  core/ListOps.h
  core/Log.cpp
  core/Log.h
  core/NameText.cpp
  core/NameText.h
  core/NewNameWalk.cpp
  core/NewNameWalk.h
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
  core/RenamePreview.cpp
  core/RenamePreview.h
  core/RenameWalk.cpp
  core/RenameWalk.h
  core/Services.cpp
  core/Services.h
  core/SettingsPath.cpp
  core/SettingsPath.h
  core/SlicedWalk.h
  core/StoredSettings.cpp
  core/StoredSettings.h
  core/SystemErrorText.cpp
  core/SystemErrorText.h
  core/mod_ini.cpp
  core/mod_ini.h
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
  ops/PropertyNames.cpp
  ops/PropertyNames.h
  ops/RowWalk.h
  ops/SearchReplace.cpp
  ops/SearchReplace.h
  ops/TextElements.cpp
  ops/TextElements.h
  ops/WidthConversion.cpp
  ops/WidthConversion.h
  intake/FolderScan.cpp
  intake/FolderScan.h
  intake/ListSort.cpp
  intake/ListSort.h
  intake/RepeatedPaths.cpp
  intake/RepeatedPaths.h
  intake/PathIntake.cpp
  intake/PathIntake.h
  intake/PathKinds.cpp
  intake/PathKinds.h
  intake/SortKeys.cpp
  intake/SortKeys.h
  editor/EditorFallback.cpp
  editor/EditorFallback.h
  editor/EditorLauncher.h
  editor/EditorRoundTrip.cpp
  editor/EditorRoundTrip.h
  editor/ExchangeFile.cpp
  editor/ExchangeFile.h
  editor/KnownEditors.cpp
  editor/KnownEditors.h)
if(WIN32)
  list(APPEND QUORVANE_CORE_SOURCES core/FileTrust_win.cpp)
else()
  list(APPEND QUORVANE_CORE_SOURCES core/FileTrust_posix.cpp)
endif()
list(TRANSFORM QUORVANE_CORE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
add_library(quorvane_core STATIC ${QUORVANE_CORE_SOURCES})
target_include_directories(quorvane_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvane_core PUBLIC Qt6::Core PRIVATE quorvane_warnings)
# The settings folder is never a portable copy under the installation prefix.
target_compile_definitions(quorvane_core PRIVATE QUORVANE_INSTALL_PREFIX="${CMAKE_INSTALL_PREFIX}")

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
  platform/IconTable.cpp
  platform/IconTable.h
  platform/MagicTypeDetector.cpp
  platform/MagicTypeDetector.h
  platform/ProgramFile.cpp
  platform/ProgramFile.h
  platform/QProcessEditorLauncher.cpp
  platform/QProcessEditorLauncher.h
  platform/RenameReasons.cpp
  platform/RenameReasons.h
  platform/ShellRename.h
  platform/SystemCollation.h
  platform/SystemFolderLister.h
  platform/SystemFolderRules.h)
if(WIN32)
  set(QUORVANE_PLATFORM_WIN_SOURCES
  platform/CommandLinePaths_win.cpp
  platform/DurableFiles_win.cpp
  platform/EditorPlatform_win.cpp
  platform/ShellRename_win.cpp)
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
target_include_directories(quorvane_platform PRIVATE ${MAGIC_INCLUDE_DIR})
target_link_libraries(quorvane_platform
  PUBLIC quorvane_core Qt6::Gui Qt6::DBus
  PRIVATE quorvane_warnings PkgConfig::TAGLIB PkgConfig::EXIV2 ${MAGIC_LIBRARY})
if(ICU_FOUND)
  target_link_libraries(quorvane_platform PRIVATE ICU::i18n ICU::uc)
endif()

# The window and its dialogs live in a library so that widget tests can
# drive the real frmMain; the executable adds only main().
set(QUORVANE_UI_SOURCES
  ui/AppServices.h
  ui/ApplicationIcon.cpp
  ui/ApplicationIcon.h
  ui/ButtonTable.cpp
  ui/ButtonTable.h
  ui/CycleHints.cpp
  ui/CycleHints.h
  ui/JournalHistoryDialog.cpp
  ui/JournalHistoryDialog.h
  ui/MainLayout.cpp
  ui/MainLayout.h
  ui/MenuTable.cpp
  ui/MenuTable.h
  ui/NoDetails.h
  ui/ProductInfo.cpp
  ui/ProductInfo.h
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
  ui/WalkRunner.cpp
  ui/WalkRunner.h
  ui/WindowPlacement.cpp
  ui/WindowPlacement.h
  ui/frmMain.cpp
  ui/frmMain.h
  ui/frmMainCommands.cpp
  ui/frmMainHelp.cpp
  ui/frmMainJournal.cpp
  ui/frmMainMenus.cpp
  ui/frmMainPreview.cpp
  ui/frmMainRename.cpp
  ui/frmMainSettings.cpp
  ui/frmMainStartup.cpp
  ui/frmSet.cpp
  ui/frmSet.h)
list(TRANSFORM QUORVANE_UI_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
add_library(quorvane_ui STATIC ${QUORVANE_UI_SOURCES})
target_link_libraries(quorvane_ui PUBLIC quorvane_platform Qt6::Widgets PRIVATE quorvane_warnings)
# The icon is compiled in as well, so the program in the build folder shows
# it; the desktop entry's name tells Wayland compositors which icon is ours.
qt_add_resources(quorvane_ui quorvane_icon PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/packaging
                 FILES ${PROJECT_SOURCE_DIR}/packaging/quorvane.svg)
target_compile_definitions(quorvane_ui PRIVATE QUORVANE_APP_ID="${QUORVANE_APP_ID}")

add_executable(quorvane ${PROJECT_SOURCE_DIR}/main.cpp)
target_link_libraries(quorvane PRIVATE quorvane_ui quorvane_warnings)
