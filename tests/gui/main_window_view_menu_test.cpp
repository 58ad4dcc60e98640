// The View menu: the picture as always at start, the other eye and the drill holes on request.
#include <QMenu>

#include "main_window_fixture.h"

namespace lumora::testing {
namespace {

// Lines and captions of the picture, for comparing two drawings.
struct Drawn {
  std::size_t lines, captions;
  double firstX;
  bool operator==(const Drawn&) const = default;
};
Drawn drawnOn(const MillimetreSurface& s) { return {s.lines().size(), s.captions().size(), s.lines().at(0).x1}; }

// Both entries start off and the picture of a trace is the right eye alone, as ever. "Drill
// Holes" adds the holes' red rims to it; "Other Eye" widens the picture for both eyes, named;
// off again, the picture is as it was.
TEST_F(MainWindowTest, ViewMenuStartsOffAndEachEntryAddsWhatItSays) {
  fs::copy_file(std::string(LUMORA_SAMPLES) + "/1005", saves_ / "1005");
  auto* otherEye = window().findChild<QAction*>("otherEyeAction");
  auto* drillHoles = window().findChild<QAction*>("drillHolesAction");
  EXPECT_EQ(window().findChild<QMenu*>("viewMenu")->title(), "View");
  for (QAction* entry : {otherEye, drillHoles}) EXPECT_TRUE(entry->isCheckable() && !entry->isChecked());
  window().showStoredTrace((saves_ / "1005").string());
  const MillimetreSurface& picture = window().picture().drawing();
  MillimetreSurface alone(picture.widthMm(), picture.heightMm());
  processed(ReadBytes(saves_ / "1005")).draw(alone, Side::Right, {});
  const Drawn asEver = drawnOn(alone);
  EXPECT_EQ(drawnOn(picture), asEver);
  drillHoles->trigger();
  EXPECT_GT(extentOf(picture, {0xFF0000, 1}).width(), 1.0);
  EXPECT_EQ(picture.captions().at(0).text, "1 drill hole not shown");
  drillHoles->trigger();
  otherEye->trigger();
  EXPECT_NEAR(window().picture().width(), kBothEyesPictureWidthMm * window().picture().pixelsPerMmX(), 0.5);
  ASSERT_EQ(picture.captions().size(), 2u);
  EXPECT_EQ(picture.captions()[0].text + picture.captions()[1].text, "RL");
  EXPECT_GT(extentOf(picture, kTraceOutline).width(), 100);
  otherEye->trigger();
  EXPECT_EQ(drawnOn(picture), asEver);
}

}  // namespace
}  // namespace lumora::testing
