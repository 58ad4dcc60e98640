// lumora-trace render: a trace's outline drawn as the trace picture draws it, to a PNG image
// or to an SVG document at true size, or the printed trace sheet as a PDF document.
#pragma once

#include <string>
#include <vector>

#include "commands.h"

namespace lumora::tool {

// render FILE [--side N] -o OUT.png|OUT.svg|OUT.pdf [--scale PX_PER_MM]. Exit 2 for bad usage (and
// where the tool is built without Qt), 1 when the file holds no outline or a file cannot be
// read or written.
int runRender(const std::vector<std::string>& args, Streams io);

}  // namespace lumora::tool
