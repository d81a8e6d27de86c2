# Precise Pick's benchmarks: offscreen with a fake screen by default; on an X server
# (QT_QPA_PLATFORM=xcb) the start reads the real screens.
add_executable(precisepick_bench ${CMAKE_CURRENT_SOURCE_DIR}/PrecisePickBench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/QtBenchMain.cpp)
target_include_directories(precisepick_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(precisepick_bench PRIVATE huevra_precisepick huevra_platform benchmark::benchmark)
