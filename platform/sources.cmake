# platform/: the small layer standing where Windows interfaces were.
# Core (no QtWidgets) files go to vexlo_core, windowed ones to vexlo_ui.
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/control_id.h
  ${CMAKE_CURRENT_LIST_DIR}/control_id.cpp)
