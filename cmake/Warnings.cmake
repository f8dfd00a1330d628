# SPDX-License-Identifier: GPL-2.0-or-later
# The warnings every target of the project is built with; with
# LUMARIN_WERROR (the test command turns it on) any warning fails the build.
function(lumarin_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${LUMARIN_WERROR}>:-Werror>)
  endif()
endfunction()
