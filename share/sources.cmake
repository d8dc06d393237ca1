# share/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/modal_progress.h)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/progress_wnd.h
  ${CMAKE_CURRENT_LIST_DIR}/progress_wnd.cpp)
