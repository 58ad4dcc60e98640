#include <iostream>

#include "commands.h"
#include "trace/core/command_line.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return lumora::tool::RunTool(lumora::ProgramArguments(argc, argv), {std::cout, std::cerr});
}
