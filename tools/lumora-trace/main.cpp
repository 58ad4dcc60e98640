#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return lumora::tool::RunTool({argv + 1, argv + argc}, {std::cout, std::cerr});
}
