# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Warnings for the targets built from our own sources. Third-party headers
# (Qt, GoogleTest, Google Benchmark) come in through imported targets, whose
# include folders are system folders, so their code does not warn.
#   vexlo_target_warnings(<target>...)
function(vexlo_target_warnings)
  foreach(t ${ARGN})
    target_compile_options(${t} PRIVATE -Wall -Wextra)
    if(VEXLO_WERROR)
      target_compile_options(${t} PRIVATE -Werror)
    endif()
  endforeach()
endfunction()
