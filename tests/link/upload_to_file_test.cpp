// A recorded tracer exchange through the engine into real files in a temporary save folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_engine.h"
#include "link/core/trace_file_writer.h"
#include "temp_folder.h"
#include "base/core/file_read.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using Writes = std::vector<std::string>;

std::string fixture(const std::string& name) {
  return readFileText(std::string(LUMORA_TEST_DATA) + "/link/" + name);
}

std::string withCrc(const std::string& records) {
  return "\x1c" + records + "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d";
}

// The recorded exchange with a link saving into `saveFolder`, the body in 64-byte pieces
// 10 ms apart; returns everything the link wrote.
Writes exchange(const fs::path& saveFolder) {
  TraceFileWriter writer;
  LinkEngine link{writer, 2, saveFolder.string(), false};
  std::int64_t micros = 1'000'000;
  Writes written;
  auto feed = [&](const std::string& bytes) {
    for (const Outputs& out : {link.receive(bytes, {micros, ""}), link.expire({micros, ""})})
      for (const Output& o : out)
        if (o.kind == OutputKind::Write) written.push_back(o.text);
  };
  feed(fixture("request_12345.bin"));
  micros += BurstSilenceMicros + 1;
  feed("");
  const std::string body = fixture("body_12345.bin");
  for (std::size_t i = 0; i < body.size(); i += 64, micros += 10'000) feed(body.substr(i, 64));
  return written;
}

// The trace replaces an earlier one of the same job, named without the tracer's quotes.
TEST(UploadToFile, StoredFileHasTheExpectedBytes) {
  const std::string expected = fixture("12345.expected");
  ASSERT_FALSE(expected.empty());
  const fs::path dir = testing::MakeTempFolder("lumora-upload");
  ASSERT_FALSE(dir.empty()) << "no temporary folder";
  std::ofstream(dir / "12345", std::ios::binary) << "OLD\r\n";
  const std::string ack(1, ACK);
  EXPECT_EQ(exchange(dir),
            (Writes{ack,
                    withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nTRCFMT=1;400;E;R;F\r\nZFMT=1;400;E;R;F\r\n"
                            "STATUS=0\r\n\x1e"),
                    ack, withCrc("ANS=TRC\r\nJOB=\"12345\"\r\nSTATUS=0\r\n\x1e")}));
  EXPECT_EQ(readFileText((dir / "12345").string()), expected);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace lumora
