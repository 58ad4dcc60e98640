#include "link/core/labels.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, KeepsTrailingEmptyLine) {
  EXPECT_EQ(SplitLines("a\nb\n"), (Lines{"a", "b", ""}));
  EXPECT_EQ(SplitLines(""), (Lines{""}));
}

TEST(ValueFromLabel, ReadsFirstRecordValue) {
  std::string packet = "\x1cREQ=TRC\rJOB=12345\rVEN=CORVANE\r\x1e\x1d";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("JOB=", packet, lines), "12345");
  EXPECT_EQ(ValueFromLabel("VEN=", packet, lines), "CORVANE");
}

TEST(ValueFromLabel, TurnsEveryCrIntoLf) {
  std::string packet = "\x1cREQ=TRC\r\nJOB=1\r\x1e\x1d";
  Lines lines;
  ValueFromLabel("JOB=", packet, lines);
  EXPECT_EQ(packet, "\x1cREQ=TRC\n\nJOB=1\n\x1e\x1d");
}

TEST(ValueFromLabel, FillsPacketLinesOnlyWhenFewerThanTwo) {
  std::string packet = "A=1\rJOB=2";
  Lines lines{""};
  ValueFromLabel("JOB=", packet, lines);
  EXPECT_EQ(lines, (Lines{"A=1", "JOB=2"}));
  std::string other = "JOB=3\rB=4\rC=5";
  ValueFromLabel("JOB=", other, lines);
  EXPECT_EQ(lines, (Lines{"A=1", "JOB=2"}));
}

TEST(ValueFromLabel, MissingLabelGivesEmptyAndLeavesLinesAlone) {
  std::string packet = "A=1\rB=2";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("JOB=", packet, lines), "");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(packet, "A=1\nB=2");
}

TEST(ValueFromLabel, RemovesQuotes) {
  std::string packet = "JOB=\"12345\"\r";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("JOB=", packet, lines), "12345");
}

TEST(ValueFromLabel, MatchesEndOfLongerLabelOnFirstLine) {
  std::string packet = "OLDJOB=7\rJOB=8\r";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("JOB=", packet, lines), "7");
}

TEST(ValueFromLabel, LowerCaseRecordIsNotFound) {
  // The presence test ignores case, the line search does not.
  std::string packet = "job=5\r";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("JOB=", packet, lines), "");
  EXPECT_EQ(lines, (Lines{"job=5", ""}));
}

TEST(ValueFromLabel, LowerCaseLabelFindsUpperCaseRecord) {
  std::string packet = "VEN=CORVANE\r";
  Lines lines;
  EXPECT_EQ(ValueFromLabel("ven=", packet, lines), "CORVANE");
}

TEST(OMAparse, NulAnd255BecomeBlanksThenTrimmed) {
  EXPECT_EQ(OMAparse("VEN=", std::string("VEN=\0 AB\xff"
                                         "C \xff",
                                         12)),
            "AB C");
}

TEST(OMAparse, ValueIsRestOfLineAfterFirstOccurrence) {
  EXPECT_EQ(OMAparse("JOB=", "XJOB=1JOB=2\nJOB=3"), "1JOB=2");
  EXPECT_EQ(OMAparse("JOB=", "A=1\nB=2"), "");
}

TEST(StatusName, NamesEveryCode) {
  EXPECT_EQ(StatusName(0), "No Error");
  EXPECT_EQ(StatusName(2), "Cant Store Data");
  EXPECT_EQ(StatusName(6), "Invalid Job ID");
  EXPECT_EQ(StatusName(9), "Incompatible Device/Host");
  EXPECT_EQ(StatusName(15), "Initialization Not Supported");
  EXPECT_EQ(StatusName(17), "Unsupported Trace Format");
  EXPECT_EQ(StatusName(19), "Process Failed");
  EXPECT_EQ(StatusName(20), "");
  EXPECT_EQ(StatusName(-1), "");
}

}  // namespace
}  // namespace lumora
