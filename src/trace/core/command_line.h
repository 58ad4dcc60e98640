// The program's arguments as UTF-8 texts, as every path text in the program is. Windows hands
// `argv` over in the system code page, which mangles a folder such as "C:\Users\Jörg" and turns
// characters outside the code page into "?"; there the wide command line is read instead.
#pragma once

#include <string>
#include <vector>

namespace lumora {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace lumora
