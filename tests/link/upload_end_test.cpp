// Every way an upload ends is said once, with the status the tracer hears and the stored file,
// before that status goes out: the history records an upload before the tracer is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;

class UploadEndTest : public LinkTest {
 protected:
  void SetUp() override { keepEnds = true; }
  void upload(bool prompt) {
    link = LinkEngine{1, prompt};
    request(trcRequest("77"));
    send(traceBody("77"));
  }
};

TEST_F(UploadEndTest, EachEndIsSaidOnceBeforeItsAnswer) {
  using O = UploadOutcome;
  const std::string file = "REQ=FIL\r\nJOB=77\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\n";
  const struct {
    const char* name;
    std::function<Outputs()> run;
    UploadEnd end;
  } cases[] = {
      {"stored", [this] { upload(false); return stored(); }, {O::Stored, "77", 0, "", "77", file}},
      {"prompt cancelled", [this] { upload(true); stored(); return link.operatorCancelled(now()); },
       {O::Stored, "77", 0, "", "77", file}},
      {"renamed", [this] { upload(true); stored(); link.operatorChoseName("/o", "78"); return stored(); },
       {O::Renamed, "77", 0, "/o", "78", "REQ=FIL\r\nJOB=78\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\n"}},
      {"new name not stored",
       [this] { upload(true); stored(); link.operatorChoseName("/o", "78"); return stored(Problem{"full"}); },
       {O::Stored, "77", 0, "", "77", "REQ=FIL\r\nJOB=78\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\n"}},
      {"store failed", [this] { upload(false); return stored(Problem{"full"}); }, {O::StoreFailed, "77", 2}},
      {"brand", [this] { request(trcRequest("77", "OTHER")); return link.brandMessageClosed(now()); },
       {O::RefusedBrand, "77", 17}},
      {"format", [this] { return request(trcRequest("77", "CORVANE", {"TRCFMT=1;200;E;R;F"})); },
       {O::UnsupportedFormat, "77", 17}},
      {"name", [this] { return request(trcRequest("a/b")); }, {O::BadName, "a/b", 6}},
      {"timeout", [this] { request(trcRequest("77")); return wait(kBodyInactivityMicros + 1); },
       {O::TimedOut, "77", 1}},
      {"too long",
       [this] { request(trcRequest("77")); return send(std::string(kMaxLinkBuffer + 1, 'R')); },
       {O::TooLong, "77", 2}},
      {"abandoned", [this] { request(trcRequest("77")); return send(trcRequest("78")); },
       {O::Abandoned, "77", std::nullopt}},
  };
  for (const auto& c : cases) {
    const Outputs out = c.run();
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < out.size(); ++i)
      if (out[i].kind == OutputKind::UploadEnded) ends.push_back(i);
    ASSERT_EQ(ends.size(), 1u) << c.name;
    EXPECT_EQ(out[ends[0]].end, c.end) << c.name << ": " << describe(out[ends[0]]);
    const auto answer = std::find_if(out.begin(), out.end(), [](const Output& o) {
      return o.kind == OutputKind::Write && o.text.find("STATUS=") != std::string::npos;
    });
    if (answer != out.end()) {
      EXPECT_GT(answer - out.begin(), static_cast<std::ptrdiff_t>(ends[0])) << c.name;
    }
    link = LinkEngine{1, false};
  }
}

}  // namespace
}  // namespace lumora
