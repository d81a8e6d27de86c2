# The Colour Inspector's benchmark runs on the offscreen platform with the shared QApplication main.
add_executable(inspector_bench ${CMAKE_CURRENT_SOURCE_DIR}/InspectorBench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/QtBenchMain.cpp)
target_include_directories(inspector_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(inspector_bench PRIVATE huevra_inspector benchmark::benchmark)
