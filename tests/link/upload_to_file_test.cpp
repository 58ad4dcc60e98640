// A recorded tracer exchange through the engine into real files in a temporary save folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "link/core/link_engine.h"
#include "link/core/trace_file_writer.h"
#include "link_test_support.h"
#include "trace/core/shared_values.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using namespace linktest;

std::string fixture(const std::string& name) {
  return ReadFileText(std::string(LUMORA_TEST_DATA) + "/link/" + name);
}

std::string withCrc(const std::string& records) {
  return "\x1c" + records + "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d";
}

class UploadToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lumora-upload-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The recorded exchange, the body in 64-byte pieces 10 ms apart; returns all writes.
  std::vector<std::string> exchange(const fs::path& saveFolder) {
    LinkEngine link{writer_, 2, saveFolder.string(), false};
    std::int64_t micros = 1'000'000;
    std::vector<std::string> written;
    auto collect = [&](const std::string& bytes) {
      Outputs out = link.receive(bytes, {micros, "stamp"});
      out = out + link.expire({micros, "stamp"});  // the store after the ACK is due at once
      for (const Output& o : out)
        if (o.kind == OutputKind::Write) written.push_back(o.text);
    };
    collect(fixture("request_12345.bin"));
    micros += BurstSilenceMicros + 1;
    collect("");
    const std::string body = fixture("body_12345.bin");
    for (std::size_t i = 0; i < body.size(); i += 64, micros += 10'000) collect(body.substr(i, 64));
    return written;
  }

  fs::path dir_;
  TraceFileWriter writer_;
};

// The trace replaces an earlier one of the same job; without a save folder the tracer hears
// status 2, never 0.
TEST_F(UploadToFileTest, StoredFileHasTheExpectedBytesOrTheTracerHearsStatus2) {
  std::ofstream(dir_ / "12345", std::ios::binary) << "OLD\r\n";
  EXPECT_EQ(exchange(dir_),
            (std::vector<std::string>{std::string(1, ACK),
                                      withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nTRCFMT=1;400;E;R;"
                                              "F\r\nZFMT=1;400;E;R;F\r\nSTATUS=0\r\n\x1e"),
                                      std::string(1, ACK),
                                      withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nSTATUS=0\r\n\x1e")}));
  const std::string expected = fixture("12345.expected");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReadFileText((dir_ / "12345").string()), expected);
  EXPECT_EQ(exchange(dir_ / "absent").back(),
            withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nSTATUS=2\r\n\x1e"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace lumora
