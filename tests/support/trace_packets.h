// Builders of trace packets for the tests of the trace record and of what draws it.
#pragma once

#include <string>
#include <vector>

#include "trace/core/trace_record.h"

namespace lumora::testing {

// `label` records of ten values each, every line ended by `lineEnd`.
inline std::string valueLines(const std::string& label, const std::vector<std::string>& values,
                              const std::string& lineEnd = "\n") {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += (i % 10 == 0 ? label : ";") + values[i];
    if (i % 10 == 9 || i + 1 == values.size()) out += lineEnd;
  }
  return out;
}

inline std::vector<std::string> repeated(const std::string& text, std::size_t n) { return std::vector<std::string>(n, text); }

inline std::vector<std::string> numbered(std::size_t n, int first = 1) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(std::to_string(first + static_cast<int>(i)));
  return out;
}

// One eye's records: its format line and radius lines (and Z lines when given).
inline std::string eyeRecords(char side, const std::vector<std::string>& radii, const std::vector<std::string>& z = {}) {
  std::string out = "TRCFMT=1;" + std::to_string(radii.size()) + ";E;" + side + ";F\n" + valueLines("R=", radii);
  if (!z.empty()) out += "ZFMT=1;" + std::to_string(z.size()) + ";E;" + side + ";F\n" + valueLines("Z=", z);
  return out;
}

// A circle of `n` radii of `radius` hundredths of a millimetre for the given sides ("R", "L", "RL", "B").
inline std::string circlePacket(std::size_t n, int radius, const std::string& sides = "RL") {
  std::string out = "REQ=TRC\nJOB=1001\n";
  for (char side : sides) out += eyeRecords(side, repeated(std::to_string(radius), n));
  return out;
}

// A trace record holding `packet`, processed.
inline TraceRecord processed(const std::string& packet) {
  TraceRecord trace;
  trace.process(packet);
  return trace;
}

}  // namespace lumora::testing
