#include "base/core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lumora {

TEST(Value, ReadsTheLeadingNumberAndZeroForAnythingElse) {
  const std::pair<std::string, double> cases[] = {
      {"52.10;51.90", 52.10}, {"-3.5mm", -3.5}, {"+7", 7}, {".5", 0.5}, {"12.34.56", 12.34}, {"1e3", 1000},
      {"1E-2", 0.01}, {"1e", 1}, {"2e x", 2}, {"1e308", 1e308}, {"", 0}, {"?", 0}, {"abc12", 0}, {"-", 0},
      {"nan", 0}, {"inf", 0},
      // more digits than a double holds exactly
      {"0.12345678901234567", 0.12345678901234567}, {"12345678901234567", 12345678901234567.0},
      // blanks, tabs and line feeds inside the number are skipped, a CR is not
      {"  1 2\t3\n4", 1234}, {"- 5", -5}, {"1 . 5", 1.5}, {"1\r2", 1},
      // too large for a double: 0, never infinite
      {"1e309", 0}, {"-1e400", 0}, {std::string(400, '9'), 0}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(value(text), expected) << text;
}

TEST(FormatNumber, PrintsThePatternRoundingTheDecimalTextHalvesAwayFromZero) {
  const struct { double number; const char *pattern, *expected; } cases[] = {
      {0.5, "#####.00", ".50"}, {52.1, "#####.00", "52.10"}, {0, "#####.00", ".00"}, {-0.5, "####.00", "-.50"},
      {1234567.5, "#####.00", "1234567.50"}, {0.25, "####0.00", "0.25"}, {0, "####0.00", "0.00"},
      {0, "#####0", "0"}, {2499.5, "#####0", "2500"}, {0, "########", ""}, {17, "########", "17"},
      {12.345, "#####.00", "12.35"}, {0.125, "#####.00", ".13"}, {1.005, "#####.00", "1.01"},
      {-2.5, "#####0", "-3"}, {9.995, "###.00", "10.00"},
      // no minus zero; non-finite numbers print as 0
      {-0.001, "#####.00", ".00"}, {-0.0, "####0.00", "0.00"}, {std::nan(""), "#####.00", ".00"},
      {INFINITY, "#####0", "0"}};
  for (const auto& c : cases) EXPECT_EQ(formatNumber(c.number, c.pattern), c.expected) << c.number << " " << c.pattern;
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndAbsurdNumbersStayFinite) {
  EXPECT_EQ((std::vector{roundToWhole(200.5), roundToWhole(201.5), roundToWhole(1e300), roundToWhole(-1e300),
                         roundToWhole(std::nan(""))}), (std::vector<std::int32_t>{200, 202, 2147483647, -2147483647 - 1, 0}));
  EXPECT_EQ((std::vector{roundHalfEven(0.125, 2), roundHalfEven(INFINITY, 2), roundHalfEven(1e300, 2)}),
            (std::vector{0.12, 0.0, 1e300}));
}

}  // namespace lumora
