# The main window's benchmarks run on the offscreen platform with their own QApplication main.
add_executable(mainwindow_bench ${CMAKE_CURRENT_SOURCE_DIR}/MainWindowBench.cpp)
target_include_directories(mainwindow_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(mainwindow_bench PRIVATE huevra_mainwindow benchmark::benchmark)
