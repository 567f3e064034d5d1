# The design file on its own, for the window and for the tests; include it where it is needed.
include_guard(GLOBAL)
find_package(Qt6 REQUIRED COMPONENTS Core)
include(${CMAKE_CURRENT_LIST_DIR}/../report/SaveFileAtOnce.cmake)

add_library(trellon_datafile STATIC ${CMAKE_CURRENT_LIST_DIR}/DataFile.cpp)
target_include_directories(trellon_datafile PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trellon_datafile PUBLIC trellon_engine trellon_save_file Qt6::Core)
