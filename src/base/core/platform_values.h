// Values that differ by platform, one implementation per platform (platform_values_posix.cpp,
// platform_values_windows.cpp).
#pragma once

#include <string>
#include <vector>

namespace lumora {

// Where traces are saved unless the user chose another folder: "C:\LumoraTraces" on
// Windows, the folder "LumoraTraces" in the user's home folder elsewhere.
std::string defaultSaveFolder();

// The file dialog filter that lists every file: "*.*" on Windows; elsewhere "*", since there
// "*.*" would hide the files without an extension, as trace files are.
std::string everyFileFilter();

// The program's arguments after its name, as UTF-8 texts like every path text in the program.
// Windows hands `argv` over in the system code page, which mangles a folder such as
// "C:\Users\Jörg" and turns characters outside the code page into "?"; there the wide
// command line is read instead.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace lumora
