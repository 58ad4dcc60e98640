// Which eye a value belongs to, and a pair of values, one for each eye.
#pragma once

#include <array>
#include <cstddef>

namespace lumora {

// The order is the packets' own: where a record holds a value per eye ("HBOX=52.10;51.90"),
// the right eye's comes first.
enum class Side { Right, Left };

inline constexpr std::array<Side, 2> kBothSides{Side::Right, Side::Left};

constexpr Side otherSide(Side side) { return side == Side::Right ? Side::Left : Side::Right; }

// +1 for the right eye, -1 for the left: the left eye's outline is the right eye's seen
// from behind, so its X coordinates change sign.
constexpr double mirrorSign(Side side) { return side == Side::Right ? 1.0 : -1.0; }

template <typename T>
struct PerSide {
  std::array<T, 2> values{};

  T& operator[](Side side) { return values[static_cast<std::size_t>(side)]; }
  const T& operator[](Side side) const { return values[static_cast<std::size_t>(side)]; }
};

}  // namespace lumora
