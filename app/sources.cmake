# The program: command line and start-up.
target_sources(vexlo PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_gif.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_record.cpp)
