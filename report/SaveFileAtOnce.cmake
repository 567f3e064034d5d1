# Saving a file at once or not at all, for the log and the design files; needs only Qt Core.
include_guard(GLOBAL)
find_package(Qt6 REQUIRED COMPONENTS Core)

add_library(trellon_save_file STATIC ${CMAKE_CURRENT_LIST_DIR}/SaveFileAtOnce.cpp)
target_include_directories(trellon_save_file PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(trellon_save_file PUBLIC trellon_engine Qt6::Core)
