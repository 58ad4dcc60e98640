// One frame trace: the packet of records as the tracer sent it, and everything derived from
// it (record values, data lists, measurements), with label access to any record.
//
// Texts are byte strings (each byte one Latin-1 character, as the packet arrived).
// Units: radii and Z values in hundredths of a millimetre; angles in degrees; box sizes,
// circumference, effective diameter and DBL in millimetres; curves in dioptres on the 1.53
// scale. A value the packet does not give reads 0 or empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/problem.h"
#include "trace/core/picture_surface.h"
#include "trace/core/side.h"

namespace lumora {

// A side with fewer radii than this is not drawn: no trace, or a damaged one.
inline constexpr std::size_t kMinimumDrawnRadii = 51;

// The data lists of each eye: "R=" radii, "A=" angles, "Z=" depths, "_S=" values.
enum class DataList { Radii, Angles, Depths, SValues };

// AsRightEye: both eyes as the right eye is seen, the left eye's list mirrored about the
// vertical axis. AsTraced: each eye in its own orientation, as the packet gives it.
// A one-eye packet gives the other eye the same lists, mirrored where the orientation asks.
enum class Orientation { AsRightEye, AsTraced };

// What rebuilding a trace with a new B does to the outline before re-sampling it.
enum class Stretch { None, LowerHalf };

// The "DRILLE=" records of one eye, sorted by the reference letter they hold (";C;", or a
// field starting with B or E); a record may stand in more than one list.
struct EdgeDrillRecords {
  bool anyInPacket = false;  // the packet holds a "DRILLE=" record, of either eye
  std::vector<std::string> referenceC, referenceB, referenceE;
};

class TraceRecord {
 public:
  // Stores the packet (line ends CR LF, LF or CR) and derives every value from it. A value
  // the packet does not give becomes 0 or empty, except the DBL, which keeps the last one
  // that was a number.
  void process(std::string_view packet);
  // Loads and processes the trace file `name` of `folder`. A name that could leave the folder,
  // a missing or empty file: the Problem, the packet emptied and the other values kept.
  std::optional<Problem> load(const std::string& folder, const std::string& name);

  // The packet as stored: label lookups unify its line ends in place.
  const std::string& packet() const { return packet_; }

  // Per-eye values, measured from the radii (box, circumference, effective diameter and its
  // angle) or read from the records (curves, formats, declared counts).
  double boxWidth(Side side) const { return sides_[side].boxWidth; }
  double boxHeight(Side side) const { return sides_[side].boxHeight; }
  double circumference(Side side) const { return sides_[side].circumference; }
  double effectiveDiameter(Side side) const { return sides_[side].effectiveDiameter; }
  double effectiveDiameterAngle(Side side) const { return sides_[side].effectiveDiameterAngle; }
  double frameCurve(Side side) const { return sides_[side].frameCurve; }
  double bevelCurve(Side side) const { return sides_[side].bevelCurve; }
  const std::string& traceFormat(Side side) const { return sides_[side].traceFormat; }
  const std::string& zFormat(Side side) const { return sides_[side].zFormat; }
  std::int32_t radiusCount(Side side) const { return sides_[side].radiusCount; }
  std::int32_t zCount(Side side) const { return sides_[side].zCount; }
  std::int32_t sCount(Side side) const { return sides_[side].sCount; }
  // False when the eye measured no width: no usable radii. The windows beep once for each
  // such eye of a trace they show.
  bool hasOutline(Side side) const { return boxWidth(side) > 0; }

  double distanceBetweenLenses() const { return distanceBetweenLenses_; }
  const std::string& frameType() const { return frameType_; }  // "FTYP=", as written
  const std::string& edgeType() const { return edgeType_; }    // "ETYP=", as written
  // The ordering system's letter for the edge and frame types: "M", "P", "R", "G" or empty.
  const std::string& orderFrameType() const { return orderFrameType_; }
  std::string instructions() const { return "Direct From Tracer"; }

  // A data list's value texts joined by ";" (mirrored angles become whole degrees
  // "###.00"), printed from the packet as processed.
  std::string listText(DataList list, Side side, Orientation orientation) const;
  // value() of each radius of the list: the outline, equiangular, the first at angle 0.
  std::vector<double> radii(Side side, Orientation orientation) const;

  // Label access. Each lookup first unifies the stored packet's line ends (CR LF and CR
  // become LF, then pairs of LFs one LF). A label is matched with its "=", in any case.
  // labelText: the text after the label at a line start, or failing that anywhere, up to the
  // line end, quotes removed; empty when the label is absent.
  std::string labelText(std::string_view label);
  // The eye's part of labelText: before the first ";" for the right eye, after it for the
  // left; an eye whose part is empty takes the other's.
  std::string labelValue(std::string_view label, Side side);
  // The lines starting with the label, in group `group`: runs of such lines are groups, the
  // first run is group 1 when another line precedes it; group 0 is every run.
  std::string labelLines(std::string_view label, int group);

  // The base curve of the frame from the eye's radii and depths as the right eye is seen:
  // 530 / radius (mm) of the sphere through the deepest opposite pair of points, at most 15;
  // 6.0 when there are fewer than 10 radii or not one depth per radius.
  double baseCurve(Side side) const;

  // The eye's "DRILL=" records and those for both eyes, upper-cased, as written; none when
  // the packet as written holds no "DRILL=".
  std::vector<std::string> drillLines(Side side) const;
  // The eye's "DRILLE=" records, upper-cased; a both-eye record comes back as the eye's own,
  // its horizontal coordinates (fields 2 and 5) negated for the left eye.
  EdgeDrillRecords edgeDrillRecords(Side side) const;

  // Draws the eye's outline at true size, centred, with the two axes: one user unit is one
  // millimetre of this screen once `calibration` scales it. Fewer than kMinimumDrawnRadii
  // radii leave the surface cleared.
  void draw(PictureSurface& surface, Side side, ScreenCalibration calibration) const;

  // Loads the trace `name` of `saveFolder` as load() does and writes it, rebuilt with a new
  // B (rebuildWithNewB), to the file `name` of `outputFolder`, replacing it whole. A trace
  // that does not load, or a folder that takes no file: the Problem, nothing written.
  std::optional<Problem> rebuildSavedTrace(const std::string& saveFolder, const std::string& name,
                                           Stretch stretch, double newB, const std::string& outputFolder);

 private:
  struct SideData {
    // value() of each radius and Z field, as the right eye is seen: what measuring and the
    // base curve need.
    std::vector<double> radiiAsRightEye, depthsAsRightEye;
    double boxWidth = 0, boxHeight = 0, circumference = 0, effectiveDiameter = 0, effectiveDiameterAngle = 0;
    double frameCurve = 0, bevelCurve = 0;
    std::int32_t radiusCount = 0, zCount = 0, sCount = 0;
    std::string traceFormat, zFormat, sFormat;
  };
  // The data lists are printed only when asked for (the server draws one of sixteen), so
  // processing keeps what they are read from: the packet as processed (later label lookups
  // rewrite the stored one) and where each eye's data lines begin.
  struct ListSource {
    std::string packet;
    PerSide<bool> traced{}, sTraced{};  // the eye has its own trace format; its own S format
    PerSide<std::size_t> dataStart{}, sStart{};  // npos: no such lines
    bool leftHasRadii = false;  // the left eye's lists as the right eye is seen are mirrored
  };

  Result<std::string> loadText(const std::string& folder, const std::string& name);
  void readRecordValues();
  void readFrameTypes();
  // Each eye's format line as it stood before ";B;" became ";R;".
  PerSide<std::string> readFormatLines();
  void readRadiusData(const PerSide<std::string>& formatLinesAsRead);
  void applyBaseCurveFallback();
  void completeMissingSide();
  void readSData();
  void measureSides();
  // Which eye's lines a list is read from, and whether they are mirrored.
  struct ListPlan {
    Side from;
    bool mirrored;
  };
  std::optional<ListPlan> planList(DataList list, Side side, Orientation orientation) const;
  void normaliseLineEnds();
  const std::string& upperPacket();
  std::string labelLine(std::string_view label);
  PerSide<std::string> labelValueOfBothEyes(std::string_view label);

  std::string packet_;
  PerSide<SideData> sides_{};
  ListSource lists_;
  std::string edgeType_, frameType_, orderFrameType_;
  double distanceBetweenLenses_ = 0;
  // Upper-case copy of the packet, valid while `upperValid_`; a packet without lower case is
  // its own upper-case copy.
  std::string upper_;
  bool upperValid_ = false;
  bool upperIsPacket_ = false;
  bool normalised_ = false;
};

// The trace `packet` (any line ends) with each eye's outline re-centred on its box and
// re-sampled to as many equiangular radii, stretched first when asked so that the lower half
// reaches `newB` mm; its box records recomputed, its "R=" lines replaced, LF line ends.
// Nothing when the packet is empty.
std::optional<std::string> rebuildWithNewB(std::string_view packet, Stretch stretch, double newB);

}  // namespace lumora
