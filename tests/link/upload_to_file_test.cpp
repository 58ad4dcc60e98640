// A recorded tracer exchange through the engine into real files in a temporary save folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "link/core/link_engine.h"
#include "link/core/trace_file_writer.h"
#include "link_test_support.h"
#include "trace/core/shared_values.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using namespace linktest;

std::string fixture(const std::string& name) {
  const std::string bytes = ReadFileText(std::string(LUMORA_TEST_DATA) + "/link/" + name);
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
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
    link_ = std::make_unique<LinkEngine>(writer_, 2, dir_.string(), false);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Instant at() const { return {micros_, "stamp"}; }
  // The recorded exchange, the body in 64-byte pieces 10 ms apart; returns all writes.
  std::vector<std::string> exchange() {
    std::vector<std::string> written;
    auto collect = [&written](const Outputs& out) {
      for (const Output& o : out)
        if (o.kind == OutputKind::Write) written.push_back(o.text);
    };
    collect(link_->receive(fixture("request_12345.bin"), at()));
    micros_ += BurstSilenceMicros + 1;
    collect(link_->expire(at()));
    const std::string body = fixture("body_12345.bin");
    for (std::size_t i = 0; i < body.size(); i += 64) {
      micros_ += 10'000;
      collect(link_->receive(body.substr(i, 64), at()));
    }
    collect(link_->expire(at()));  // the store after the ACK is due at once
    return written;
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  TraceFileWriter writer_;
  std::unique_ptr<LinkEngine> link_;
  std::int64_t micros_ = 1'000'000;
};

TEST_F(UploadToFileTest, StoredFileMatchesExpectedBytes) {
  const std::vector<std::string> written = exchange();
  EXPECT_EQ(written,
            (std::vector<std::string>{std::string(1, ACK),
                                      withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nTRCFMT=1;400;E;R;"
                                              "F\r\nZFMT=1;400;E;R;F\r\nSTATUS=0\r\n\x1e"),
                                      std::string(1, ACK),
                                      withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nSTATUS=0\r\n\x1e")}));
  EXPECT_EQ(ReadFileText((dir_ / "12345").string()), fixture("12345.expected"));
  EXPECT_EQ(files(), std::vector<std::string>{"12345"});
}

TEST_F(UploadToFileTest, ReplacesAnEarlierTraceOfTheSameJob) {
  std::ofstream(dir_ / "12345", std::ios::binary) << "OLD\r\n";
  exchange();
  EXPECT_EQ(ReadFileText((dir_ / "12345").string()), fixture("12345.expected"));
  EXPECT_EQ(files(), std::vector<std::string>{"12345"});
}

TEST_F(UploadToFileTest, PromptedNewNameLeavesBothFiles) {
  link_->setPrompt(true);
  exchange();
  ASSERT_EQ(link_->state(), LinkEngine::State::AwaitingOperator);
  const fs::path other = dir_ / "other";
  fs::create_directory(other);
  link_->operatorChoseName(other.string(), "A-100", at());
  std::string expected = fixture("12345.expected");
  expected.replace(expected.find("JOB=\"12345\""), 11, "JOB=\"A-100\"");
  EXPECT_EQ(ReadFileText((other / "A-100").string()), expected);
  EXPECT_EQ(ReadFileText((dir_ / "12345").string()), fixture("12345.expected"));
}

TEST_F(UploadToFileTest, MissingSaveFolderAnswersCantStoreData) {
  link_->setSavePath((dir_ / "absent").string());
  const std::vector<std::string> written = exchange();
  EXPECT_EQ(written.back(), withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nSTATUS=2\r\n\x1e"));
  EXPECT_TRUE(files().empty());
}

}  // namespace
}  // namespace lumora
