// Extended Gerber (RS-274X) output: the writer of one file with its
// aperture table, the conversion of every element kind into flashes, draws,
// arcs and regions, and the content of each output file of a board.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/objekt.h"
#include "model/types.h"
#include "project/project.h"

namespace bs {

// Where a model point lands in an output file: X = x - OriginX,
// Y = y - OriginY, then X = MirrorWidth - X when mirrored. Y is never
// mirrored.
struct TCamMapping {
  double OriginX = 0;
  double OriginY = 0;
  bool Mirror = false;
  double MirrorWidth = 0;

  TDPoint Map(double x, double y) const {
    const double X = x - OriginX;
    return {Mirror ? MirrorWidth - X : X, y - OriginY};
  }
};

// The board's zero point with `useOrigin` (the "use origin in CAM export"
// option), else its lower-left corner; mirroring about the board width, or
// about the zero point with `useOrigin`.
TCamMapping CamMapping(const TPlatine& board, bool useOrigin, bool mirror);

// One aperture. Two apertures are the same when all five values are equal.
struct TBlende {
  enum : uint8_t { kStroke = 0, kRoundPad = 1, kRectangle = 3 };
  uint8_t ApertureKind = kStroke;
  int32_t DCode = 0;
  int32_t HoleRadius = 0;  // round pad: drill radius (kept, not written)
  int32_t Size = 0;        // stroke: diameter; round pad: outer radius
  int32_t SizeX = 0;       // rectangle
  int32_t SizeY = 0;

  bool SameAs(const TBlende& o) const {
    return ApertureKind == o.ApertureKind && HoleRadius == o.HoleRadius && Size == o.Size && SizeX == o.SizeX &&
           SizeY == o.SizeY;
  }
};

// A length in units as millimetres for an aperture definition: exact to the
// unit, at most four decimals, trailing zeros dropped ("0.254", "0.002",
// "1.8", "2").
std::string GerberMillimetres(int32_t units);

// The message for an output file that would need a coordinate of `units`
// that its number format cannot hold ("The position 1050 mm does not fit
// ..."); the position in millimetres to four decimals at most.
std::string CoordinateDoesNotFit(double units, const std::string& path);

// The writer of one Gerber file. The commands are collected in memory and
// written in one piece by EndFile.
class TGerberFile {
 public:
  std::vector<std::string> Header;
  std::vector<std::string> Body;
  std::vector<TBlende> Apertures;  // in order of creation
  int32_t NextCode = 10;
  std::string FileName;
  TCamMapping Mapping;
  // Published for compatibility; the number format is fixed.
  int VKStellen = 3;
  int NKStellen = 3;

  void BeginFile(const std::string& layerName);
  void MoveTo(double x, double y);
  void DrawTo(double x, double y);
  void MoveTo(TDPoint p) { MoveTo(p.X, p.Y); }
  void DrawTo(TDPoint p) { DrawTo(p.X, p.Y); }
  void Flash();
  void RegionBegin();
  void RegionEnd();
  void ClearPolarity();
  void DarkPolarity();
  // The rest of the file punches the drill holes out of the copper.
  void PunchLayer();

  // Selects (creating it when new) the round stroke aperture of diameter d.
  void SetPenwidth(int32_t d);
  int32_t Penwidth() const { return penwidth_; }
  void FlashRoundPad(int32_t holeRadius, int32_t outerRadius);
  void FlashRectangle(int32_t sx, int32_t sy);
  // A counter-clockwise arc (a full circle when start equals end), filled
  // as a region when asked.
  void Arc(TDPoint centre, TDPoint start, TDPoint end, bool filled);

  // Writes one element enlarged by `offset` on every side; `clearPass` is
  // set while the ground plane's gaps are written. The element is not
  // changed.
  void WriteElement(const TObjekt& e, int32_t offset, bool clearPass);

  // The board rectangle as five points: a draw with the current pen, or a
  // region's contour between RegionBegin and RegionEnd.
  void BoardRectangle(const TPlatine& board);

  // The finished file: header, aperture definitions, body and "M02*", each
  // line ending in CR LF.
  std::string Text() const;
  // Coordinates are written with three integer digits (%FSLAX34Y34*%), so
  // that no position may lie 1000 mm or more from the zero point. The
  // message naming the first one that did (and FileName), empty when all
  // fit; such a coordinate stands as 0 in Text(), which must not be saved.
  std::string CoordinateError() const;
  // Writes Text() to FileName, replacing an existing file only with a
  // complete new one. Returns an error message, empty on success; with a
  // CoordinateError nothing is written and that is the message.
  std::string EndFile() const;

 private:
  void Select(const TBlende& b);
  void Line(std::string s) { Body.push_back(std::move(s)); }
  // One coordinate value in units, rounded as the file format rounds; a
  // value beyond the number format is remembered for CoordinateError.
  std::string Number(double units);
  // "X...Y..." of a model point, or of a point already mapped.
  std::string Xy(double x, double y, bool map = true);
  void Polygon(const std::vector<TDPoint>& pts, bool closeAlways);
  void ThtPad(const TObjekt& e, int32_t offset, bool clearPass);
  void SmdPad(const TObjekt& e, int32_t offset);
  void Track(const TObjekt& e, int32_t offset);
  void Zone(const TObjekt& e, int32_t offset, bool clearPass);
  void Circle(const TObjekt& e, int32_t offset);

  int32_t penwidth_ = -1;
  bool unfit_ = false;
  double unfitUnits_ = 0;
};

// ---- the output files of a board ----

enum class TGerberContent { Plain, Copper, SolderMask, SmdMask };

struct TGerberOutput {
  const char* Caption;    // the row of the export window
  int Layer;              // the layer whose elements the file holds
  const char* LayerName;  // written with %LN
  const char* Key;        // file-name ending key of the settings section "Gerber"
  const char* DefaultEnding;
  // The ending most board houses expect for this file (.GTL for the top
  // copper ...), offered beside the default.
  const char* CommonEnding;
  TGerberContent Content;
  const char* ShortName;  // the command line's name of the file
};
inline constexpr int kGerberOutputCount = 11;
// In the order in which the files are written.
extern const std::array<TGerberOutput, kGerberOutputCount> kGerberOutputs;

// The choices of one export run. Offsets are in units.
struct TGerberOptions {
  bool Frame = false;  // the board rectangle drawn with a 20-unit pen
  bool Mirror = false;
  bool UseOrigin = true;     // coordinates relative to the board's zero point
  bool PunchHoles = false;   // copper: the drill holes cut out at the end
  bool CentrePunch = false;  // ... only as 0.3 mm marks
  bool MaskTht = true;
  bool MaskSmd = true;
  bool MaskOther = true;
  int32_t MaskOffsetTht = 3000;
  int32_t MaskOffsetSmd = 1000;
  int32_t MaskOffsetOther = 1000;
  bool MaskInverted = false;
  int32_t SmdMaskOffset = 0;  // may be negative
  bool SmdMaskInverted = false;
};

// Whether the export window offers the row: an element on the layer, for a
// solder mask one with an opening asked for, for an SMD mask an SMD pad.
bool GerberOutputAvailable(const TBoard& board, int row);

// Writes the content of one output file into a writer (begins the file;
// does not save it).
void WriteGerberOutput(TGerberFile& f, const TBoard& board, int row, const TGerberOptions& opt);
// The finished text of one output file.
std::string GerberOutputText(const TBoard& board, int row, const TGerberOptions& opt);

// The negative SMD-mask offset limited so that the opening keeps at least
// 500 units (0.05 mm) per side.
int32_t LimitedSmdMaskOffset(double width, double height, int32_t offset);

}  // namespace bs
