# SPDX-License-Identifier: GPL-2.0-or-later
# A room of the platform layer: one static library per concern, depending
# only on the rooms below it. Static libraries alone would let a wrong-way
# call slip through (the program links every room anyway), so each room is
# also linked on its own into a shared object that may leave nothing
# undefined: a call into a room it does not name fails that link.
function(lumarin_room room)
  cmake_parse_arguments(ROOM "" "" "SOURCES;DEPENDS" ${ARGN})
  set(target lumarin_${room})
  add_library(${target} STATIC ${ROOM_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ROOM_DEPENDS})
  lumarin_warnings(${target})

  # The sanitizers' runtime lives in the executable, so a sanitized shared
  # object always has undefined symbols: the check runs in ordinary builds.
  if(NOT LUMARIN_SANITIZE)
    add_library(${target}_alone SHARED)
    set_target_properties(${target}_alone PROPERTIES LINKER_LANGUAGE CXX)
    target_link_libraries(${target}_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
    target_link_options(${target}_alone PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
