# The palette windows' benchmarks run on the offscreen platform with the shared QApplication main.
add_executable(palettewindows_bench ${CMAKE_CURRENT_SOURCE_DIR}/PaletteWindowsBench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/QtBenchMain.cpp)
target_include_directories(palettewindows_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(palettewindows_bench PRIVATE huevra_palettewindows benchmark::benchmark)
