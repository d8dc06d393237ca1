# capture/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frame_record.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.cpp)
# Recording and generation worker (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/worker_thread.h
  ${CMAKE_CURRENT_LIST_DIR}/worker_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_state.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.cpp)
