# The layers may include only the layers below them. The check runs at every
# build, so an include that runs the wrong way stops the build at once.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  add_custom_target(quorvane_walls ALL
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckWalls.cmake
    COMMENT "Checking the includes between layers" VERBATIM)
  foreach(layer quorvane_core quorvane_ops quorvane_intake quorvane_editor quorvane_app quorvane_platform
                quorvane_ui)
    add_dependencies(${layer} quorvane_walls)
  endforeach()
  return()
endif()

cmake_minimum_required(VERSION 3.25)

# Each layer and what it may include besides itself.
set(allowed_core "")
set(allowed_ops core)
set(allowed_intake core)
set(allowed_editor core)
set(allowed_app core ops intake editor)
set(allowed_platform core ops editor)
set(allowed_ui core app platform)

set(crossings "")
foreach(layer core ops intake editor app platform ui)
  file(GLOB files "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT target STREQUAL layer AND NOT target IN_LIST allowed_${layer})
        file(RELATIVE_PATH shown "${ROOT}" "${file}")
        list(APPEND crossings "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(crossings)
  list(JOIN crossings "\n  " text)
  message(FATAL_ERROR "Includes that cross a layer's wall the wrong way:\n  ${text}")
endif()
