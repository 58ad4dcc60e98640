#include <iostream>

#include "commands.h"
#include "base/core/platform_values.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return lumora::tool::runTool(lumora::programArguments(argc, argv), {std::cout, std::cerr});
}
