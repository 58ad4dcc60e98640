// Unified line ends, and the passes label lookups make over the stored packet.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <tuple>

#include "packets.h"
#include "trace/core/line_ends.h"
#include "trace/core/simd.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {

std::string unifiedByTheRule(const std::string& text) {
  std::string unified;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') unified += text[i];
    else if (i + 1 == text.size() || text[i + 1] != '\n') unified += '\n';
  }
  return unified;
}

std::pair<std::string, bool> onePassByTheRule(const std::string& unified) {
  std::string once;
  for (std::size_t i = 0; i < unified.size(); ++i) {
    once += unified[i];
    if (unified[i] == '\n' && i + 1 < unified.size() && unified[i + 1] == '\n') ++i;
  }
  return std::pair(once, once.find("\n\n") != std::string::npos);
}

// A text of bytes around the letters with CRs and LFs, few or many, and a lower-case letter
// in half of them.
std::string randomText(std::mt19937& random) {
  std::string text(random() % 300, 'X');
  const unsigned lineEndsIn100 = std::array{1, 5, 40}[random() % 3];
  for (char& c : text) c = random() % 100 < lineEndsIn100 ? "\r\n"[random() % 2] : "X`{@["[random() % 5];
  if (!text.empty() && random() % 2) text[random() % text.size()] = "az"[random() % 2];
  return text;
}

}  // namespace

TEST(LineEnds, LookupsNormaliseTheStoredPacketOnePassAtATime) {
  EXPECT_EQ(Processed("A=1\r\nB=2\r\rC=3\n\n\nD=4").VCATracePacket(), "A=1\nB=2\nC=3\nD=4");
  std::string text = "A\n\n\nB";
  EXPECT_TRUE(NormaliseLineEndsInPlace(text).pairsLeft);  // one pass leaves two of three
  EXPECT_EQ(text, "A\n\nB");
}

// Long texts go 16 or 64 bytes at a time; a byte-by-byte reading of the rule must agree, and
// so must what processing notes for the lookups to come: LF pairs left, lower case.
TEST(LineEnds, APassOverAnyTextMatchesTheRuleReadByteByByte) {
  std::vector<std::pair<const char*, UnifiedText (*)(std::string_view)>> surveys{
      {"in passes", detail::UnifyAndSurveyInPasses}};
  if (WideInstructions()) surveys.emplace_back("wide", detail::UnifyAndSurveyWide);
  std::mt19937 random(11);
  for (int round = 0; round < 5000; ++round) {
    const std::string text = randomText(random);
    // A buffer of the text's own size, so that a read past its end shows under AddressSanitizer.
    const auto exact = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), exact.get());
    const std::string_view view(exact.get(), text.size());
    const std::string unified = unifiedByTheRule(text);
    EXPECT_EQ(UnifyLineEnds(view), unified) << round;
    std::string normalised = text;
    const LineEndPass pass = NormaliseLineEndsInPlace(normalised);
    EXPECT_EQ(std::pair(normalised, pass.pairsLeft), onePassByTheRule(unified)) << round;
    EXPECT_EQ(pass.changed, normalised != text) << round;
    const auto expected = std::tuple(unified, unified.find("\n\n") != std::string::npos,
                                     text.find_first_of("az") != std::string::npos);
    for (const auto& [name, survey] : surveys) {
      const UnifiedText u = survey(view);
      EXPECT_EQ(std::tuple(u.text, u.lfPairs, u.lowerCase), expected) << name << " " << round;
    }
  }
}

}  // namespace lumora
