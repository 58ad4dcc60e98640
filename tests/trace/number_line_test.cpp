// Lines of whole numbers read in one go: each reader takes exactly the lines it is made for,
// with the numbers value() reads, and leaves every other line alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "trace/core/number_line.h"
#include "trace/core/numtext.h"
#include "trace/core/simd.h"
#include "trace/core/text_util.h"

namespace lumora {

namespace {

struct Reader {
  const char* name;
  detail::NumberLineReader read;
  std::size_t mostDigits, mostFields;
  // Whether it takes a line whose LF is at `lf`, in a block of `size` bytes from the line.
  bool (*reaches)(std::size_t lf, std::size_t size);
};

std::vector<Reader> readers() {
  std::vector<Reader> all;
#if LUMORA_SSE2
  all.push_back({"64 bytes at a time", detail::ReadNumberLine64, 8, SIZE_MAX,
                 [](std::size_t lf, std::size_t size) { return size >= lf / 64 * 64 + 72; }});
#endif
  if (WideInstructions())
    all.push_back({"short lines at once", detail::ReadShortNumberLine, 4, 16,
                   [](std::size_t lf, std::size_t size) { return lf < 64 && size >= 64; }});
  return all;
}

// Up to `mostDigits` digits, now and then something else.
std::string randomField(std::mt19937& random, std::size_t mostDigits) {
  static const char* const odd[] = {"0", "0000", "", "-5", "12.5", "x", "1 2", "123456789"};
  if (random() % 30 == 0) return odd[random() % std::size(odd)];
  std::string digits(1 + random() % mostDigits, '0');
  for (char& d : digits) d = static_cast<char>('0' + random() % 10);
  if (random() % 8) digits[0] = static_cast<char>('1' + random() % 9);  // leading zeros now and then
  return digits;
}

bool plainWholeNumber(const std::string& field, std::size_t mostDigits) {
  return !field.empty() && field.size() <= mostDigits &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }) && value(field) > 0;
}

}  // namespace

TEST(NumberLines, EachReaderTakesTheLinesItIsMadeForAndLeavesTheRest) {
  std::mt19937 random(3);
  const std::vector<Reader> all = readers();
  if (all.empty()) GTEST_SKIP() << "no reader on this processor";
  for (int round = 0; round < 6000; ++round) {
    std::vector<std::string> fields(1 + random() % (random() % 3 ? 14 : 40));
    const std::size_t mostDigits = std::size_t{1} << random() % 4;  // short fields make many fit in 64 bytes
    for (std::string& f : fields) f = randomField(random, random() % 8 ? mostDigits : 8);
    std::string text = JoinFields(fields, ';');
    const std::size_t lf = text.size();
    text += '\n' + std::string(random() % 100, random() % 2 ? '7' : ';');
    // The block lies in a buffer of its own size, so that a read past it shows under ASan.
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    for (const Reader& reader : all) {
      const bool made = fields.size() <= reader.mostFields && reader.reaches(lf, text.size()) &&
                        std::all_of(fields.begin(), fields.end(),
                                    [&](const std::string& f) { return plainWholeNumber(f, reader.mostDigits); });
      std::vector<double> numbers{-1}, expected{-1};
      if (made)
        for (const std::string& f : fields) expected.push_back(value(f));
      const char* const end = reader.read(numbers, block.get(), block.get() + text.size());
      EXPECT_EQ(end, made ? block.get() + lf : nullptr) << reader.name << ": " << text;
      EXPECT_EQ(numbers, expected) << reader.name << ": " << text;
    }
  }
}

}  // namespace lumora
