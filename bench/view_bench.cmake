# Trace viewing speed: listing 100,000 saved traces, opening the maintenance dialog over
# them, drawing a trace into an image. Needs the Qt side.
if(LUMORA_QT)
  lumora_add_benchmark(view_bench view_bench.cpp)
  target_link_libraries(view_bench PRIVATE lumora_view_qt benchmark::benchmark)
endif()
