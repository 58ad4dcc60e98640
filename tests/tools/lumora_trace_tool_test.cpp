// The lumora-trace command: exit codes, the info output and resize.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <sstream>

#include "base/core/file_read.h"
#include "commands.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace lumora::tool {
namespace {

using Args = std::vector<std::string>;
const std::string kSamples = LUMORA_SAMPLES;

struct ToolRun { int code; std::string out, err; };

ToolRun run(const Args& args) {
  std::ostringstream out, err;
  const int code = runTool(args, {out, err});
  return {code, out.str(), err.str()};
}

// Takes what is written into its buffer, and fails when the buffer is flushed: a standard
// output on a full disk fails only then.
class FullDisk : public std::streambuf {
 public:
  FullDisk() { setp(buffer_, buffer_ + sizeof buffer_); }

 protected:
  int sync() override { return -1; }

 private:
  char buffer_[4096];
};

class ToolTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.file(name).string(); }
  std::string write(const std::string& name, const std::string& bytes) {
    folder_.write(name, bytes);
    return path(name);
  }
  testing::TempFolder folder_{"lumora-tool"};
};

TEST_F(ToolTest, BadUsageExitsTwoWithTheUsageOnly) {
  const std::string sample = kSamples + "/1001";
  for (const Args& args : {Args{}, {"nonsense"}, {"resize", sample}, {"resize", sample, "--stretch", "1", "--new-b", "abc"},
                           {"resize", sample, "--stretch", "1", "--new-b", "-5"}, {"drills", sample, "--side", "2"}}) {
    const ToolRun r = run(args);
    EXPECT_EQ(std::tuple(r.code, r.err.find("usage: lumora-trace") != std::string::npos, r.out),
              std::tuple(kExitUsage, true, ""))
        << ::testing::PrintToString(args);
  }
}

// One sorted JSON object per readable file; an unreadable one is named and fails the run.
TEST_F(ToolTest, InfoReportsEachReadableFileAndFailsOnTheOthers) {
  const ToolRun r = run({"info", "--json", kSamples + "/1002", "/nonexistent/trace"});
  EXPECT_EQ(r.code, kExitFile);
  EXPECT_NE(r.err.find("cannot read /nonexistent/trace"), std::string::npos);
  EXPECT_TRUE(r.out.starts_with("{\"dbl\":0,\"etyp\":\"1\",\"frameType\":\"M\",\"ftyp\":\"2\","
                                "\"instructions\":\"Direct From Tracer\",\"sides\":[{\"a\":48.01,"));
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);  // one object, one line
  const std::string counts = run({"info", "--json", write("big", "TRCFMT=1;100000;E;R;F\n")}).out;
  EXPECT_NE(counts.find("\"radiusCount\":100000,"), std::string::npos) << counts;  // no "1e+05"
}

// The file written with -o, the bytes printed without it and those written to a pipe a script
// reads (which stays a pipe) are the same rebuilt trace.
TEST_F(ToolTest, ResizeWritesTheRebuiltTraceOrNothing) {
  Args resize{"resize", kSamples + "/1002", "--stretch", "1", "--new-b", "40", "-o", path("out")};
  ASSERT_EQ(run(resize).code, kExitOk);
  const std::string rebuilt = readFileText(path("out"));
  EXPECT_NE(run({"info", "--json", path("out")}).out.find("\"b\":40"), std::string::npos);
  resize.back() = "/dev/stdout";  // the standard output as it is, perhaps a file appended to
  EXPECT_EQ(run(resize).out, rebuilt);
  EXPECT_EQ(run(Args(resize.begin(), resize.end() - 2)).out, rebuilt);
  EXPECT_EQ(run({"resize", write("empty", ""), "--stretch", "0", "--new-b", "40", "-o", path("o")}).code, kExitFile);
  EXPECT_FALSE(folder_.has("o"));
#ifndef _WIN32
  ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
  const int reader = open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  resize.back() = path("pipe");
  EXPECT_EQ(run(resize).code, kExitOk);
  std::string piped(65536, '\0');
  piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(reader, piped.data(), piped.size()))));
  close(reader);
  EXPECT_EQ(piped, rebuilt);
  EXPECT_TRUE(std::filesystem::is_fifo(path("pipe")));
#endif
}

// A failed write is reported and keeps what was there: the input itself, given as -o, and
// output that never reached the standard output.
TEST_F(ToolTest, OutputThatCannotBeWrittenFailsTheRunAndKeepsTheOldFile) {
  const std::string input = write("1002", readFileText(kSamples + "/1002"));
  FullDisk disk;
  std::ostream full(&disk);
  std::ostringstream err;
  EXPECT_EQ(runTool({"getall", input, "JOB="}, {full, err}), kExitFile);
  EXPECT_NE(err.str().find("cannot write the standard output"), std::string::npos);
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file size limit to make the -o write fail part-way";
#else
  ToolRun failed;
  {
    const testing::FileSizeLimit limit(64);
    failed = run({"resize", input, "--stretch", "1", "--new-b", "40", "-o", input});
  }
  EXPECT_EQ(failed.code, kExitFile);
  EXPECT_NE(failed.err.find("cannot write"), std::string::npos) << failed.err;
  EXPECT_EQ(readFileText(input), readFileText(kSamples + "/1002"));
#endif
}

// The label commands print what the record class answers; drills print its lists as JSON;
// texts are the packet's Latin-1 bytes, written as UTF-8 and escaped in JSON.
TEST_F(ToolTest, LabelAndDrillCommandsPrintTheRecordsAnswers) {
  const std::string file = write("t", "JOB=7\nHBOX=52;\"51\"\nR=1;2\nX=0\nR=3\nDRILL=R;C;10.5;3.2;1.6\nETYP=\xfc\\\n");
  const std::pair<Args, std::string> cases[] = {
      {{"label", file, "HBOX=", "--side", "1"}, "51\n"},
      {{"label", file, "HBOX=", "--side", "2"}, "52;51\n"},  // any other side: the whole value
      {{"getall", file, "HBOX="}, "52;51\n"}, {{"multiline", file, "R=", "2"}, "R=3\n"},
      {{"drills", file, "--side", "0"},
       "{\"drill\":[\"DRILL=R;C;10.5;3.2;1.6\"],\"drilleFound\":false,\"drillsB\":[],\"drillsC\":[],"
       "\"drillsE\":[],\"found\":true}\n"},
  };
  for (const auto& [args, out] : cases) EXPECT_EQ(run(args).out, out) << args[0];
  EXPECT_NE(run({"info", "--json", file}).out.find("\"etyp\":\"\xc3\xbc\\\\\""), std::string::npos);
}

}  // namespace
}  // namespace lumora::tool
