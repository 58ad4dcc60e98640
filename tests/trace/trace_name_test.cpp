#include "trace/core/trace_name.h"

#include <gtest/gtest.h>

namespace lumora {

TEST(TraceName, OrdinaryJobNumbersAreSafe) {
  for (const char* name : {"12345", "A-100_7", "job 12", "Temp.tmp", "COM10", "CONSOLE", "x.y"})
    EXPECT_TRUE(IsSafeTraceName(name)) << name;
}

TEST(TraceName, NamesThatLeaveTheFolderAreRefused) {
  EXPECT_EQ(TraceNameProblem(".."), "names a folder");
  EXPECT_EQ(TraceNameProblem("."), "names a folder");
  EXPECT_EQ(TraceNameProblem("../etc/x"), "contains a path separator");
  EXPECT_EQ(TraceNameProblem("a\\b"), "contains a path separator");
  EXPECT_EQ(TraceNameProblem("C:x"), "contains a drive or stream separator");
}

TEST(TraceName, NamesWindowsOrLinuxRefuseAreRefused) {
  EXPECT_EQ(TraceNameProblem(""), "is empty");
  EXPECT_EQ(TraceNameProblem(std::string(256, '1')), "is longer than 255 characters");
  EXPECT_EQ(TraceNameProblem("12\n3"), "contains a control character");
  EXPECT_EQ(TraceNameProblem(std::string("1\0" "2", 3)), "contains a control character");
  EXPECT_EQ(TraceNameProblem("12?"), "contains a character Windows refuses in file names");
  EXPECT_EQ(TraceNameProblem("123."), "ends with a dot or blank");
  EXPECT_EQ(TraceNameProblem("123 "), "ends with a dot or blank");
  for (const char* name : {"CON", "prn", "Aux.txt", "nul", "COM1", "lpt9.dat", "CON .x"})
    EXPECT_EQ(TraceNameProblem(name), "is a reserved device name") << name;
}

}  // namespace lumora
