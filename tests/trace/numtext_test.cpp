#include "trace/core/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "trace/core/field_reader.h"

namespace lumora {

TEST(Value, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(value("52.10;51.90"), 52.10);
  EXPECT_DOUBLE_EQ(value("-3.5mm"), -3.5);
  EXPECT_DOUBLE_EQ(value("+7"), 7);
  EXPECT_DOUBLE_EQ(value(".5"), 0.5);
  EXPECT_DOUBLE_EQ(value("12.34.56"), 12.34);
  EXPECT_DOUBLE_EQ(value("2500;2501"), 2500);
}

TEST(Value, IgnoresBlanksTabsAndLineFeedsInsideTheNumber) {
  EXPECT_DOUBLE_EQ(value("  1 2\t3\n4"), 1234);
  EXPECT_DOUBLE_EQ(value("- 5"), -5);
  EXPECT_DOUBLE_EQ(value("1 . 5"), 1.5);
  EXPECT_DOUBLE_EQ(value("1\r2"), 1);  // a carriage return is not a blank
}

TEST(Value, IsZeroWithoutALeadingNumber) {
  EXPECT_EQ(value(""), 0);
  EXPECT_EQ(value("?"), 0);
  EXPECT_EQ(value("abc12"), 0);
  EXPECT_EQ(value("-"), 0);
  EXPECT_EQ(value("."), 0);
  EXPECT_EQ(value("nan"), 0);
  EXPECT_EQ(value("inf"), 0);
}

TEST(Value, ReadsExponentsOnlyWithADigit) {
  EXPECT_DOUBLE_EQ(value("1e3"), 1000);
  EXPECT_DOUBLE_EQ(value("1E-2"), 0.01);
  EXPECT_DOUBLE_EQ(value("1e"), 1);
  EXPECT_DOUBLE_EQ(value("1e+"), 1);
  EXPECT_DOUBLE_EQ(value("2e x"), 2);
}

TEST(Value, NumbersBeyondADoubleReadAsZero) {
  EXPECT_EQ(value("1e309"), 0);
  EXPECT_EQ(value(std::string(400, '9')), 0);
  EXPECT_DOUBLE_EQ(value("1e308"), 1e308);
  EXPECT_TRUE(std::isfinite(value("-1e400")));
}

TEST(FormatNumber, PrintsTwoDecimalsWithoutLeadingZeros) {
  EXPECT_EQ(formatNumber(0.5, "#####.00"), ".50");
  EXPECT_EQ(formatNumber(52.1, "#####.00"), "52.10");
  EXPECT_EQ(formatNumber(0, "#####.00"), ".00");
  EXPECT_EQ(formatNumber(-0.5, "####.00"), "-.50");
  EXPECT_EQ(formatNumber(1234567.5, "#####.00"), "1234567.50");
}

TEST(FormatNumber, KeepsRequiredDigits) {
  EXPECT_EQ(formatNumber(0, "####0.00"), "0.00");
  EXPECT_EQ(formatNumber(0.25, "####0.00"), "0.25");
  EXPECT_EQ(formatNumber(0, "#####0"), "0");
  EXPECT_EQ(formatNumber(2499.5, "#####0"), "2500");
  EXPECT_EQ(formatNumber(0, "########"), "");
  EXPECT_EQ(formatNumber(17, "########"), "17");
}

TEST(FormatNumber, RoundsTheDecimalTextHalvesAwayFromZero) {
  EXPECT_EQ(formatNumber(12.345, "#####.00"), "12.35");
  EXPECT_EQ(formatNumber(0.125, "#####.00"), ".13");
  EXPECT_EQ(formatNumber(1.005, "#####.00"), "1.01");
  EXPECT_EQ(formatNumber(-2.5, "#####0"), "-3");
  EXPECT_EQ(formatNumber(0.5, "#####0"), "1");
  EXPECT_EQ(formatNumber(9.995, "###.00"), "10.00");
}

TEST(FormatNumber, NeverPrintsMinusZeroOrNonFiniteNumbers) {
  EXPECT_EQ(formatNumber(-0.001, "#####.00"), ".00");
  EXPECT_EQ(formatNumber(-0.0, "####0.00"), "0.00");
  EXPECT_EQ(formatNumber(std::nan(""), "#####.00"), ".00");
  EXPECT_EQ(formatNumber(INFINITY, "#####0"), "0");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundToWhole(200.5), 200);
  EXPECT_EQ(roundToWhole(201.5), 202);
  EXPECT_EQ(roundToWhole(-0.5), 0);
  EXPECT_DOUBLE_EQ(roundHalfEven(0.125, 2), 0.12);
  EXPECT_DOUBLE_EQ(roundHalfEven(157.0796, 2), 157.08);
}

TEST(Rounding, AbsurdNumbersStayFinite) {
  EXPECT_EQ(roundToWhole(1e300), 2147483647);
  EXPECT_EQ(roundToWhole(-1e300), -2147483647 - 1);
  EXPECT_EQ(roundToWhole(std::nan("")), 0);
  EXPECT_EQ(roundHalfEven(INFINITY, 2), 0);
  EXPECT_DOUBLE_EQ(roundHalfEven(1e300, 2), 1e300);
}

// The field reader must agree with value() on every field, and stop at its ";".
TEST(ReadField, AgreesWithValueOnEveryKindOfField) {
  const char* fields[] = {"2655", "0.899", "100.8", "5.", ".5", "-12", "-0", "0", "", "?", "12345678",
                          "123456789012345", "1234567890123456", "12 5", "1e3", "12abc", "+7", "-", ".",
                          "00012", "3.14159265358979", "1.5.5"};
  for (const char* field : fields) {
    for (const std::string after : {"", ";7", ";"}) {
      SCOPED_TRACE(field + after);
      const std::string line = field + after;
      double number = -1;
      const char* const fieldEnd = ReadField(line.data(), line.data() + line.size(), number);
      EXPECT_EQ(fieldEnd - line.data(), static_cast<std::ptrdiff_t>(std::strlen(field)));
      EXPECT_EQ(number, value(field));
    }
  }
}

}  // namespace lumora
