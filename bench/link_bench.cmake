# The link benchmark runs the headless server as a process over a pseudo-terminal.
if(LUMORA_QT AND UNIX)
  lumora_add_benchmark(link_bench link_bench.cpp)
  target_link_libraries(link_bench PRIVATE lumora_tracer_sim_core benchmark::benchmark util)
  target_compile_definitions(link_bench PRIVATE LUMORA_BIN_DIR="${PROJECT_BINARY_DIR}/bin"
                                                LUMORA_SAMPLES="${PROJECT_SOURCE_DIR}/samples")
  add_dependencies(link_bench lumora-trace-server)
endif()
