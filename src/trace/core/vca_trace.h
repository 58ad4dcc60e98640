// The trace record class: one VCA trace packet and everything derived from it.
//
// Texts are byte strings (each byte one Latin-1 character, as the packet arrived).
// Units: radii and Z values in hundredths of a millimetre; angles in degrees;
// A, B, C (circumference), ED and DBL in millimetres; curves in dioptres on the 1.53 scale.
// Side 0 is the right eye, side 1 the left eye.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "trace/core/picture_surface.h"

namespace lumora {

template <typename T>
using PerSide = std::array<T, 2>;

// A side with fewer radii than this is not drawn: no trace, or a damaged one.
inline constexpr std::size_t kMinimumDrawnRadii = 51;

class clsVCATrace {
 public:
  // Loading and processing. The folder is always the shared SavePath; FolderPath is ignored.
  bool LoadVCATrace(const std::string& TraceNum, const std::string& FolderPath = {});
  void ProcessTrace(const std::string& TracePacket);
  std::string GetVCATracePacket(const std::string& TraceNum) const;
  void DrawTrace(PictureSurface& TracePic, int side) const;

  // Record values. The numeric per-side getters throw std::out_of_range for an Index
  // outside 0..1 (a caller's error); every other getter answers empty/0 instead.
  double DBL() const { return dbl_; }
  double a(int Index) const;
  double B(int Index) const;
  double C(int Index) const;
  double ed(int Index) const;
  double eda(int Index) const;
  std::string FrameType() const { return {}; }
  std::string EdgeType(int /*Index*/) const { return {}; }
  double FCRV(int Index) const;
  double BEVC(int Index) const;
  std::string FTYP() const { return ftyp_; }
  std::string LumframeType() const { return lumFrameType_; }
  std::string ETYP() const { return etyp_; }
  std::string Instructions() const { return "Direct From Tracer"; }
  std::string VCATracePacket() const { return packet_; }
  std::string TFormat(int side) const;
  std::string ZFormat(int side) const;
  double RadianCount(int side) const;
  double ZDataCount(int side) const;
  double SDataCount(int side) const;

  // Data lists: value texts joined by ";" (Rx_: right-eye orientation, VCA_: own orientation),
  // each printed from the processed packet when asked for.
  std::string Rx_RadianString(int side) const;
  std::string Rx_AngleString(int side) const;
  std::string Rx_ZDataString(int side) const;
  std::string Rx_SDataString(int side) const;
  std::string VCA_RadianString(int side) const;
  std::string VCA_SDataString(int side) const;
  void VCA_GetRadianArray(int side, std::vector<std::string>& RadArray) const;
  std::string VCA_AngleString(int side) const;
  std::string VCA_ZDataString(int side) const;
  void Rx_GetRadianArray(int side, std::vector<std::string>& RadArray) const;
  void Rx_GetAngleArray(int side, std::vector<std::string>& AngArray) const;
  void Rx_GetZDataArray(int side, std::vector<std::string>& ZDatArray) const;
  void Rx_GetSDataArray(int side, std::vector<std::string>& SDatArray) const;

  // Label access. Each normalises the stored packet's line ends in place first.
  std::string VCALabelValue(std::string_view VCALabel, int side);
  std::string VCALabelGetAll(std::string_view VCALabel);
  std::string VCALabelMultiLine(std::string_view VCALabel, int GroupNumber);
  std::string ExtractVCAValueArray(std::string_view Label, int ArrayNum, int& ArrayUBound);

  // Base curve from the side's Rx radius and Z lists; 6.0 when they cannot be used.
  double ComputeFramebase(int side) const;

  // Drill records of one side, returned as upper-case record lines.
  bool GetDrillData(std::vector<std::string>& DrillLines, int side) const;
  bool GetDrilleData(std::vector<std::string>& DrillsC, std::vector<std::string>& DrillsB,
                     std::vector<std::string>& DrillsE, int side) const;

  // Resizing and export.
  void ExportNewTraceToFile(const std::string& NewTracePacket, const std::string& FileName) const;
  void ChangeFrameB(const std::string& TraceNum, int StretchMode, double NewB);

  // Measures one side's equiangular radii (hundredths of a mm) into element `side` of the
  // five result pairs (mm; EDA in degrees). Sets the shared MirrorSign from `side`.
  void OMAMeasureTrace(int side, const std::vector<std::string>& RadArray, PerSide<double>& A,
                       PerSide<double>& Bs, PerSide<double>& Cs, PerSide<double>& ED,
                       PerSide<double>& EDA) const;

 private:
  struct SideData {
    // value() of each Rx radius and Z field: measuring and the base curve need only these.
    std::vector<double> rxRadiusValues, rxZValues;
    double a = 0, b = 0, c = 0, ed = 0, eda = 0, fcrv = 0, bevc = 0;
    std::int32_t radiusCount = 0, zCount = 0, sCount = 0;
    std::string tFormat, zFormat, sFormat;
  };

  void ParseTracePacket();
  void ParseRecordValues();
  void ParseFrameTypes();
  // Returns each side's format line as it stood before ";B;" became ";R;".
  PerSide<std::string> ParseFormatLines();
  void ExtractRadiusData(const PerSide<std::string>& formatLinesAsRead);
  void ApplyBaseCurveFallback();
  void SynthesiseMissingSideRecords();
  void ExtractSData();
  enum class ListKind { Radii, Angles, Z };
  enum class Orientation { Rx, VCA };  // the right eye's; the side's own, as traced
  std::string ListText(int side, ListKind kind, Orientation orientation) const;
  std::string SListText(int side, Orientation orientation) const;
  void MeasureSide(int side);
  void NormaliseLineEnds();
  const std::string& UpperPacket();
  std::string LabelLine(std::string_view label);
  PerSide<std::string> LabelValueOfBothEyes(std::string_view label);
  void SetDrawingScale(PictureSurface& pic) const;

  static bool validSide(int side) { return side == 0 || side == 1; }
  const SideData& sideAt(int Index) const;  // throws std::out_of_range

  std::string packet_;
  std::string traceFolder_;
  PerSide<SideData> sides_{};
  // The data lists are printed only when asked for (the server draws one of sixteen), so
  // processing keeps what they are read from: the packet as processed (later label lookups
  // rewrite its line ends) and where each side's data lines begin.
  struct ListSource {
    std::string packet;
    PerSide<bool> traced{}, sTraced{};  // the side has its own trace format; its own S format
    PerSide<std::size_t> dataStart{}, sStart{};  // npos: no such lines
    bool leftHasRadii = false;  // the left eye's Rx lists are its own mirrored
  };
  ListSource lists_;

  std::string etyp_, ftyp_, lumFrameType_;
  double dbl_ = 0;

  // Cached upper-case copy of the packet, valid while `upperValid_`; a packet without lower
  // case is its own upper-case copy.
  std::string upper_;
  bool upperValid_ = false;
  bool upperIsPacket_ = false;
  bool normalised_ = false;
};

// ChangeFrameB's computation without files: the rebuilt packet for `packet` (any line ends),
// or nothing when the packet is empty. Stretch mode 1 stretches the lower half to `newB` mm.
std::optional<std::string> RebuildWithNewB(const std::string& packet, int stretchMode, double newB);

}  // namespace lumora
