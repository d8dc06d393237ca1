# capture/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frame_record.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.cpp)
