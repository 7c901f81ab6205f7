# The archiver benchmark: bcp.dll against 7-Zip on the same ~20 MB of table files (see ArchiverBench.cpp).
add_executable(bench_archiver ${CMAKE_CURRENT_LIST_DIR}/ArchiverBench.cpp)
target_link_libraries(bench_archiver PRIVATE bench_support Qt6::Core PkgConfig::SQLITE3)
target_compile_definitions(bench_archiver PRIVATE ZELMAR_PROGRAM_DIR="${ZELMAR_PROGRAM_DIR}")
add_dependencies(bench_archiver bcp)
