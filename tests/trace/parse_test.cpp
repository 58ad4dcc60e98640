#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "packets.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

TEST(Curves, OneCurveGivenFillsBoth) {
  auto trace = Processed("FRCV=4.25;4.00\n" + CirclePacket(400, 2500));
  EXPECT_DOUBLE_EQ(trace.FCRV(0), 4.25);
  EXPECT_DOUBLE_EQ(trace.FCRV(1), 4.00);
  EXPECT_DOUBLE_EQ(trace.BEVC(0), 4.25);
  EXPECT_DOUBLE_EQ(trace.BEVC(1), 4.00);
  auto bevelOnly = Processed("BEVC=5.5\n" + CirclePacket(400, 2500));
  EXPECT_DOUBLE_EQ(bevelOnly.FCRV(1), 5.5);
}

TEST(Curves, NoCurveAndNoDepthsFallBackToSix) {
  auto trace = Processed(CirclePacket(400, 2500));
  for (int side : {0, 1}) {
    EXPECT_DOUBLE_EQ(trace.FCRV(side), 6.0);
    EXPECT_DOUBLE_EQ(trace.BEVC(side), 6.0);
  }
}

TEST(FrameType, FollowsEdgeAndFrameTypes) {
  EXPECT_EQ(Processed("ETYP=1\nFTYP=2\n").LumframeType(), "M");
  EXPECT_EQ(Processed("ETYP=1\nFTYP=1\n").LumframeType(), "P");
  EXPECT_EQ(Processed("ETYP=1\n").LumframeType(), "P");
  EXPECT_EQ(Processed("ETYP=2\n").LumframeType(), "R");
  EXPECT_EQ(Processed("ETYP=3;3\n").LumframeType(), "G");
  EXPECT_EQ(Processed("ETYP=4\n").LumframeType(), "");
  EXPECT_EQ(Processed("FTYP=2\n").LumframeType(), "");
  auto trace = Processed("ETYP=\"3\";3\nFTYP=1;1\n");
  EXPECT_EQ(trace.ETYP(), "3");
  EXPECT_EQ(trace.FTYP(), "1");
}

TEST(Dbl, OnlyAWholeDecimalNumberReplacesThePreviousValue) {
  EXPECT_EQ(Processed("DBL=?\n").DBL(), 0);
  EXPECT_DOUBLE_EQ(Processed("DBL=18.5\n").DBL(), 18.5);
  EXPECT_DOUBLE_EQ(Processed("DBL= 17 \n").DBL(), 17);
  clsVCATrace trace;
  trace.ProcessTrace("DBL=18.5\n");
  for (const char* kept : {"DBL=18,5\n", "DBL=18.5mm\n", "DBL=?\n", "JOB=1\n", "DBL=nan\n", "DBL=1e999\n"}) {
    trace.ProcessTrace(kept);
    EXPECT_DOUBLE_EQ(trace.DBL(), 18.5) << kept;
  }
  trace.ProcessTrace("DBL=19\n");
  EXPECT_DOUBLE_EQ(trace.DBL(), 19);
}

TEST(FormatLines, BothEyesLineBecomesTheRightEye) {
  auto trace = Processed("TRCFMT=1;400;E;B;F\n" + ValueLines("R=", Repeated("2500", 400)));
  EXPECT_EQ(trace.TFormat(0), "TRCFMT=1;400;E;R;F");
  EXPECT_EQ(trace.RadianCount(0), 400);
  EXPECT_EQ(trace.TFormat(1), "TRCFMT=1;400;E;L;F");  // completed from the right eye
}

TEST(FormatLines, AreUpperCasedAndALaterLineReplacesAnEarlierOne) {
  auto trace = Processed("trcfmt=1;100;e;r;f\nTRCFMT=1;200;E;R;F\nR=1\n");
  EXPECT_EQ(trace.TFormat(0), "TRCFMT=1;200;E;R;F");
  EXPECT_EQ(trace.RadianCount(0), 200);
}

TEST(FormatLines, AMissingCountFieldCountsZero) {
  auto trace = Processed("TRCFMT=1\nR=2500;2500\n");
  EXPECT_EQ(trace.RadianCount(0), 0);
  EXPECT_EQ(trace.ZDataCount(0), 0);
}

TEST(Processing, AOneEyedPacketStillMeasuresTheOtherEye) {
  auto trace = Processed(CirclePacket(400, 2500, "R"));
  EXPECT_DOUBLE_EQ(trace.a(1), 50.0);
  EXPECT_DOUBLE_EQ(trace.B(1), 50.0);
  EXPECT_DOUBLE_EQ(trace.C(1), 157.08);
}

TEST(Processing, RecordBoxSizesAreReplacedByMeasuredOnes) {
  auto trace = Processed("HBOX=10;10\nVBOX=10;10\nCIRC=10;10\n" + CirclePacket(400, 2500));
  EXPECT_DOUBLE_EQ(trace.a(0), 50.0);
  EXPECT_DOUBLE_EQ(trace.C(1), 157.08);
}

TEST(Processing, APacketWithoutTraceFormatBeepsOncePerSide) {
  int beeps = 0;
  SetBeepHandler([&] { ++beeps; });
  auto trace = Processed("JOB=1\nR=2500;2500\n");
  SetBeepHandler(nullptr);
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(trace.a(0), 0);
  EXPECT_EQ(trace.ed(1), 0);
}

TEST(Processing, AbsurdNumbersGiveFiniteResults) {
  auto trace = Processed("DBL=1e308\nFRCV=nan\n" + EyeRecords('R', Repeated("1e308", 400), Repeated("1e308", 400)));
  for (int side : {0, 1}) {
    for (double v : {trace.a(side), trace.B(side), trace.C(side), trace.ed(side), trace.eda(side),
                     trace.FCRV(side), trace.BEVC(side)})
      EXPECT_TRUE(std::isfinite(v));
  }
}

class LoadFromSaveFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lumora-load-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    Shared().SavePath = folder_.string();
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::filesystem::path folder_;
};

TEST_F(LoadFromSaveFolder, LoadsAndProcessesAStoredTrace) {
  write("1001", "JOB=1001\r\nDBL=18\r\n" + CirclePacket(400, 2500, "R"));
  clsVCATrace trace;
  EXPECT_TRUE(trace.LoadVCATrace("1001", "ignored folder"));
  EXPECT_DOUBLE_EQ(trace.DBL(), 18);
  EXPECT_DOUBLE_EQ(trace.a(0), 50);
  EXPECT_EQ(trace.GetVCATracePacket("1001").substr(0, 10), "JOB=1001\r\n");
}

TEST_F(LoadFromSaveFolder, MissingOrEmptyFilesAreNotLoaded) {
  write("empty", "");
  write(".hidden", "JOB=1");
  clsVCATrace trace;
  trace.ProcessTrace("DBL=17\n");
  EXPECT_FALSE(trace.LoadVCATrace("absent"));
  EXPECT_FALSE(trace.LoadVCATrace("empty"));
  EXPECT_FALSE(trace.LoadVCATrace(".hidden"));
  EXPECT_EQ(trace.VCATracePacket(), "");
  EXPECT_DOUBLE_EQ(trace.DBL(), 17);  // other fields keep their values
  EXPECT_EQ(trace.GetVCATracePacket("absent"), "");
}

}  // namespace lumora
