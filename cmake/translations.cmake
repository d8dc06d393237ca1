# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# The English translation. The Chinese texts in the code are the source texts.
#   cmake --build build --target update_translations   (lupdate: new texts into the .ts)
# The .qm is made at build time (lrelease) and compiled into vexlo_core as the
# resource ":/i18n/vexlo_en.qm".
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
set(VEXLO_TS_FILES ${CMAKE_SOURCE_DIR}/res/translations/vexlo_en.ts)
set(VEXLO_TR_SOURCES "")
foreach(t vexlo_imaging vexlo_core vexlo_ui vexlo)
  get_target_property(srcs ${t} SOURCES)
  foreach(s ${srcs})
    if(s MATCHES "\\.(cpp|h)$" AND NOT s MATCHES "_autogen|/generated/")
      list(APPEND VEXLO_TR_SOURCES ${s})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES VEXLO_TR_SOURCES)
qt_add_lupdate(vexlo_core TS_FILES ${VEXLO_TS_FILES} SOURCES ${VEXLO_TR_SOURCES}
  OPTIONS -no-obsolete -locations none)
qt_add_lrelease(vexlo_core TS_FILES ${VEXLO_TS_FILES} QM_FILES_OUTPUT_VARIABLE VEXLO_QM_FILES)
qt_add_resources(vexlo_core "vexlo_i18n" PREFIX "/i18n" BASE ${CMAKE_CURRENT_BINARY_DIR} FILES ${VEXLO_QM_FILES})
# The sources lupdate reads, for the completeness test.
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/tr-sources.txt CONTENT "$<JOIN:${VEXLO_TR_SOURCES},\n>\n")
