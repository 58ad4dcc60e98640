#include "trace/core/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "trace/core/field_reader.h"

namespace lumora {

TEST(Value, ReadsTheLeadingNumberAndZeroForAnythingElse) {
  const struct {
    std::string text;
    double expected;
  } cases[] = {
      {"52.10;51.90", 52.10}, {"-3.5mm", -3.5}, {"+7", 7}, {".5", 0.5}, {"12.34.56", 12.34},
      // blanks, tabs and line feeds inside the number are skipped; a CR is not
      {"  1 2\t3\n4", 1234}, {"- 5", -5}, {"1 . 5", 1.5}, {"1\r2", 1},
      {"1e3", 1000}, {"1E-2", 0.01}, {"1e", 1}, {"1e+", 1}, {"2e x", 2}, {"1e308", 1e308},
      {"", 0}, {"?", 0}, {"abc12", 0}, {"-", 0}, {".", 0}, {"nan", 0}, {"inf", 0},
      // too large for a double: 0, never infinite
      {"1e309", 0}, {"-1e400", 0}, {std::string(400, '9'), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(value(c.text), c.expected);
  }
}

// The field reader is value()'s fast path for data lists: it must agree, and stop at the ";".
TEST(ReadField, AgreesWithValueOnEveryKindOfField) {
  for (const char* field : {"2655", "0.899", "5.", ".5", "-12", "-0", "", "?", "12345678", "123456789012345",
                            "1234567890123456", "3.14159265358979", "12 5", "1e3", "12abc", "+7", "-",
                            "00012", "1.5.5"}) {
    for (const std::string after : {"", ";7"}) {
      SCOPED_TRACE(field + after);
      const std::string line = field + after;
      double number = -1;
      EXPECT_EQ(ReadField(line.data(), line.data() + line.size(), number) - line.data(),
                static_cast<std::ptrdiff_t>(std::strlen(field)));
      EXPECT_EQ(number, value(field));
    }
  }
}

TEST(FormatNumber, PrintsThePatternRoundingTheDecimalTextHalvesAwayFromZero) {
  const struct {
    double number;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {0.5, "#####.00", ".50"}, {52.1, "#####.00", "52.10"}, {0, "#####.00", ".00"},
      {-0.5, "####.00", "-.50"}, {1234567.5, "#####.00", "1234567.50"}, {0, "####0.00", "0.00"},
      {0.25, "####0.00", "0.25"}, {0, "#####0", "0"}, {2499.5, "#####0", "2500"},
      {0, "########", ""}, {17, "########", "17"},
      {12.345, "#####.00", "12.35"}, {0.125, "#####.00", ".13"}, {1.005, "#####.00", "1.01"},
      {-2.5, "#####0", "-3"}, {9.995, "###.00", "10.00"},
      // no minus zero, and non-finite numbers print as 0
      {-0.001, "#####.00", ".00"}, {-0.0, "####0.00", "0.00"}, {std::nan(""), "#####.00", ".00"},
      {INFINITY, "#####0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.number << " " << c.pattern);
    EXPECT_EQ(formatNumber(c.number, c.pattern), c.expected);
  }
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndAbsurdNumbersStayFinite) {
  EXPECT_EQ(roundToWhole(200.5), 200);
  EXPECT_EQ(roundToWhole(201.5), 202);
  EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);
  EXPECT_DOUBLE_EQ(roundHalfEven(157.0796, 2), 157.08);
  EXPECT_EQ(roundToWhole(1e300), 2147483647);
  EXPECT_EQ(roundToWhole(-1e300), -2147483647 - 1);
  EXPECT_EQ(roundToWhole(std::nan("")), 0);
  EXPECT_EQ(roundHalfEven(INFINITY, 2), 0);
  EXPECT_DOUBLE_EQ(roundHalfEven(1e300, 2), 1e300);
}

}  // namespace lumora
