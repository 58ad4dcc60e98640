#include "trace/core/trace_name.h"

#include <gtest/gtest.h>

namespace lumora {

// A trace name becomes a file name: one that leaves the folder, or that Windows or Linux
// refuses, is refused with the reason the user is shown.
TEST(TraceName, UnsafeNamesAreRefusedWithTheirReason) {
  for (const char* name : {"12345", "A-100_7", "job 12", "Temp.tmp", "COM10", "CONSOLE", "x.y"})
    EXPECT_EQ(traceNameProblem(name), std::nullopt) << name;
  const std::pair<std::string, const char*> cases[] = {
      {"..", "names a folder"}, {".5012", "starts with a dot, which hides the file"},  // mended: stored unseen
      {"../etc/x", "contains a path separator"}, {"a\\b", "contains a path separator"},
      {"C:x", "contains a drive or stream separator"}, {"", "is empty"},
      {std::string(256, '1'), "is longer than 255 characters"}, {"12\n3", "contains a control character"},
      {std::string("1\0" "2", 3), "contains a control character"},
      {"12?", "contains a character Windows refuses in file names"}, {"123.", "ends with a dot or blank"},
      {"123 ", "ends with a dot or blank"}, {"CON", "is a reserved device name"},
      {"Aux.txt", "is a reserved device name"}, {"lpt9.dat", "is a reserved device name"},
      {"CON .x", "is a reserved device name"}, {"conout$", "is a reserved device name"},
      {"COM\xB9", "is a reserved device name"}, {"LPT\xC2\xB3.txt", "is a reserved device name"}};
  for (const auto& [name, problem] : cases) EXPECT_EQ(traceNameProblem(name), Problem{problem}) << name;
}

}  // namespace lumora
