// Speed of the trace record processing. Run: scripts/bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "trace/core/trace_record.h"

namespace {

// A two-eye packet of 400 radii per eye with angles and Z values, as tracers send it.
std::string twoEyePacket() {
  std::string packet = "REQ=FIL\r\nJOB=1001\r\nDBL=18.5\r\nFTYP=1\r\nETYP=1\r\n";
  for (char side : {'R', 'L'}) {
    auto block = [&](const std::string& label, auto valueAt) {
      for (int i = 0; i < 400; ++i) packet += (i % 10 == 0 ? label : ";") + valueAt(i) + (i % 10 == 9 ? "\r\n" : "");
    };
    packet += std::string("TRCFMT=1;400;E;") + side + ";F\r\n";
    block("R=", [](int i) { return std::to_string(2400 + static_cast<int>(300 * std::sin(i * 0.0314))); });
    block("A=", [](int i) { return std::to_string(i * 0.9).substr(0, 5); });
    packet += std::string("ZFMT=1;400;E;") + side + ";F\r\n";
    block("Z=", [](int i) { return std::to_string(180 + i % 40); });
  }
  return packet;
}

void BM_ProcessTwoEyePacket(benchmark::State& state) {
  const std::string packet = twoEyePacket();
  for (auto _ : state) {
    lumora::TraceRecord trace;
    trace.process(packet);
    benchmark::DoNotOptimize(trace.circumference(lumora::Side::Left));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.size()));
}
BENCHMARK(BM_ProcessTwoEyePacket);

// The data list texts are printed only when asked for: this is processing and then every
// one of them, as `lumora-trace info --json` asks.
void BM_ProcessAndPrintEveryList(benchmark::State& state) {
  const std::string packet = twoEyePacket();
  for (auto _ : state) {
    lumora::TraceRecord trace;
    trace.process(packet);
    for (lumora::Side side : lumora::kBothSides)
      for (auto orientation : {lumora::Orientation::AsRightEye, lumora::Orientation::AsTraced})
        for (auto list : {lumora::DataList::Radii, lumora::DataList::Angles, lumora::DataList::Depths,
                          lumora::DataList::SValues})
          benchmark::DoNotOptimize(trace.listText(list, side, orientation).data());
  }
}
BENCHMARK(BM_ProcessAndPrintEveryList);

void BM_LabelLookup(benchmark::State& state) {
  lumora::TraceRecord trace;
  trace.process(twoEyePacket());
  for (auto _ : state) benchmark::DoNotOptimize(trace.labelValue("ZFMT=", lumora::Side::Left));
}
BENCHMARK(BM_LabelLookup);

void BM_RebuildWithNewB(benchmark::State& state) {
  const std::string packet = twoEyePacket();
  for (auto _ : state) benchmark::DoNotOptimize(lumora::rebuildWithNewB(packet, lumora::Stretch::LowerHalf, 40.0));
}
BENCHMARK(BM_RebuildWithNewB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
