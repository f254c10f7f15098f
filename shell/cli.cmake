# The program's command line (--help, --version, usage errors), read before any window exists.
add_library(keno_cli STATIC CommandLine.cpp CommandLine.h)
target_include_directories(keno_cli PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(keno_cli PUBLIC Qt6::Core)
target_link_libraries(keno22 PRIVATE keno_cli)
