// Short constructors for engine outputs, shared by the engine's source files.
#pragma once

#include <string>

#include "link/core/link_output.h"

namespace lumora {

inline void emit(Outputs& out, OutputKind kind, std::string text = {}) {
  out.push_back(Output{kind, std::move(text), {}, {}, 0});
}
inline void emitFolder(Outputs& out, OutputKind kind, std::string folder) {
  out.push_back(Output{kind, {}, {}, std::move(folder), 0});
}
inline void writeBytes(Outputs& out, std::string bytes) { emit(out, OutputKind::Write, std::move(bytes)); }
inline void addActivity(Outputs& out, std::string line) {
  if (!line.empty()) emit(out, OutputKind::Activity, std::move(line));
}

}  // namespace lumora
