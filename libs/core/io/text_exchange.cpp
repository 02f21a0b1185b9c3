#include "io/text_exchange.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "model/geometry.h"
#include "project/newboard.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

// ---- writing ----

// Rounds a model value to the nearest integer for writing; values beyond the
// 32-bit range are clamped and NaN gives 0, so that damaged elements still
// give a readable record.
int32_t RoundClamped(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  if (v <= lo) return std::numeric_limits<int32_t>::min();
  if (v >= hi) return std::numeric_limits<int32_t>::max();
  return RoundInt(v);
}

class TRecordWriter {
 public:
  explicit TRecordWriter(const char* keyword) : s_(keyword) {}

  void Int(const char* name, int64_t v) { Field(name) += std::to_string(v); }
  void Bool(const char* name, bool v) { Field(name) += v ? "true" : "false"; }
  // The text's y axis points down.
  void Point(const char* name, TFPoint p) {
    Field(name) += std::to_string(RoundClamped(p.X)) + "/" + std::to_string(RoundClamped(-double(p.Y)));
  }
  void Text(const char* name, const TByteString& t) { Field(name) += "|" + t + "|"; }
  void Points(const TPointList& pts) {
    for (size_t i = 0; i < pts.size(); ++i) Point(("P" + std::to_string(i)).c_str(), pts[i]);
  }
  std::string Finish() { return s_ + ";"; }

 private:
  std::string& Field(const char* name) {
    s_ += ",";
    s_ += name;
    s_ += "=";
    return s_;
  }
  std::string s_;
};

// LAYER, CLEAR, CUTOUT and SOLDERMASK as tracks, zones, circles and texts
// write them.
void WriteCommon(TRecordWriter& w, const TObjekt& e) {
  w.Int("LAYER", e.Layer);
  if (e.Clearance != kDefaultClearance) w.Int("CLEAR", e.Clearance);
  if (e.Cutout) w.Bool("CUTOUT", true);
  if (e.SolderMask) w.Bool("SOLDERMASK", true);
}

// LAYER, CLEAR and SOLDERMASK of a pad: solder mask is the pads' default.
void WritePadCommon(TRecordWriter& w, const TObjekt& e) {
  w.Int("LAYER", e.Layer);
  if (e.Clearance != kDefaultClearance) w.Int("CLEAR", e.Clearance);
  if (!e.SolderMask) w.Bool("SOLDERMASK", false);
}

// A flat end counts only when the end segment is longer than half the track
// width; a shorter one is drawn round anyway.
bool FlatInEffect(const TObjekt& e, bool atEnd) {
  if (!(e.TrackEnds & (atEnd ? 2 : 1)) || e.Points.size() < 2) return false;
  const size_t n = e.Points.size();
  const TFPoint a = atEnd ? e.Points[n - 2] : e.Points[0];
  const TFPoint b = atEnd ? e.Points[n - 1] : e.Points[1];
  return Distance({a.X, a.Y}, {b.X, b.Y}) > e.Width / 2.0;
}

void WriteThermal(TRecordWriter& w, const TObjekt& e, bool individual) {
  if (!e.Thermal) return;
  w.Bool("THERMAL", true);
  if (individual) w.Bool("THERMAL_TRACKS_INDIVIDUAL", e.ThermalIndividual != 0);
  w.Int("THERMAL_TRACKS", static_cast<int32_t>(e.ThermalSpokes));
  w.Int("THERMAL_TRACKS_WIDTH", e.ThermalWidth);
}

void WritePadRotation(TRecordWriter& w, const TObjekt& e) {
  if (const int32_t r = RoundClamped(100 * PadRotation(e)); r != 0) w.Int("ROTATION", r);
}

// ---- reading ----

struct TRecordError {
  std::string Message;
};

enum class TIntStatus { Ok, NotANumber, OutOfRange };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an integer at `pos`: the first character (a digit or "-") and every
// digit that follows. `pos` ends after the digits. Digits beyond the 32-bit
// range are still consumed but make the value out of range.
TIntStatus ReadIntAt(std::string_view s, size_t& pos, int32_t& out) {
  if (pos >= s.size()) return TIntStatus::NotANumber;
  const bool negative = s[pos] == '-';
  if (!negative && !IsDigit(s[pos])) return TIntStatus::NotANumber;
  constexpr int64_t kLimit = int64_t{1} << 31;
  int64_t acc = 0;
  bool any = false;
  if (!negative) {
    acc = s[pos] - '0';
    any = true;
  }
  ++pos;
  while (pos < s.size() && IsDigit(s[pos])) {
    if (acc <= kLimit) acc = acc * 10 + (s[pos] - '0');
    any = true;
    ++pos;
  }
  if (!any) return TIntStatus::NotANumber;
  if (negative ? acc > kLimit : acc >= kLimit) return TIntStatus::OutOfRange;
  out = static_cast<int32_t>(negative ? -acc : acc);
  return TIntStatus::Ok;
}

// The fields of one record, blanks removed and upper-cased. A field is found
// at the first occurrence of "NAME=" anywhere in the record.
class TRecordReader {
 public:
  TRecordReader(std::string normalised, int line) : s_(std::move(normalised)), line_(line) { IndexPoints(); }

  // The value when present; throws when it is not a number.
  std::optional<int32_t> Int(std::string_view name, int32_t lo = std::numeric_limits<int32_t>::min(),
                             int32_t hi = std::numeric_limits<int32_t>::max()) const {
    size_t pos = Find(name);
    if (pos == std::string::npos) return std::nullopt;
    int32_t v = 0;
    Check(ReadIntAt(s_, pos, v), name);
    if (v < lo || v > hi) Check(TIntStatus::OutOfRange, name);
    return v;
  }
  int32_t IntOr(std::string_view name, int32_t fallback, int32_t lo = std::numeric_limits<int32_t>::min(),
                int32_t hi = std::numeric_limits<int32_t>::max()) const {
    return Int(name, lo, hi).value_or(fallback);
  }
  int32_t RequiredInt(std::string_view name) const {
    if (auto v = Int(name)) return *v;
    throw TRecordError{Prefix() + "the required field \"" + std::string(name) + "\" is missing."};
  }

  // True exactly when the value starts with "T".
  std::optional<bool> Bool(std::string_view name) const {
    const size_t pos = Find(name);
    if (pos == std::string::npos) return std::nullopt;
    return pos < s_.size() && s_[pos] == 'T';
  }
  bool BoolOr(std::string_view name, bool fallback) const { return Bool(name).value_or(fallback); }

  std::optional<TFPoint> Point(std::string_view name) const { return PointAt(Find(name), name); }

  // "P0", "P1", ... while they follow without a gap.
  TPointList Points() const {
    TPointList pts;
    for (size_t k = 0; k < pointPos_.size() && pointPos_[k] != std::string::npos; ++k)
      pts.push_back(*PointAt(pointPos_[k], "P" + std::to_string(k)));
    return pts;
  }

 private:
  size_t Find(std::string_view name) const {
    std::string key(name);
    key += '=';
    const size_t p = s_.find(key);
    return p == std::string::npos ? p : p + key.size();
  }

  // x, one separator character, y; the y axis of the text points down.
  std::optional<TFPoint> PointAt(size_t pos, std::string_view name) const {
    if (pos == std::string::npos) return std::nullopt;
    int32_t x = 0, y = 0;
    Check(ReadIntAt(s_, pos, x), name);
    if (pos < s_.size()) ++pos;
    Check(ReadIntAt(s_, pos, y), name);
    return TFPoint{static_cast<float>(x), static_cast<float>(-double(y))};
  }

  // Where the value of each "Pk=" starts, for k = 0, 1, ... (npos when
  // absent). Every occurrence of "Pk=" is a "P" followed by the digits of k
  // without leading zeros and "=", so one pass finds the first occurrence of
  // each. Occurrences do not overlap and take three characters at least, so
  // a run P0, P1, ... without gaps cannot reach k = n / 3 + 1.
  void IndexPoints() {
    const size_t n = s_.size();
    const size_t most = n / 3 + 1;
    for (size_t i = 0; i < n; ++i) {
      if (s_[i] != 'P') continue;
      size_t j = i + 1;
      while (j < n && IsDigit(s_[j])) ++j;
      const size_t digits = j - i - 1;
      if (digits == 0 || digits > 9 || j >= n || s_[j] != '=') continue;
      if (digits > 1 && s_[i + 1] == '0') continue;
      size_t k = 0;
      for (size_t d = i + 1; d < j; ++d) k = k * 10 + static_cast<size_t>(s_[d] - '0');
      if (k >= most) continue;
      if (pointPos_.size() <= k) pointPos_.resize(k + 1, std::string::npos);
      if (pointPos_[k] == std::string::npos) pointPos_[k] = j + 1;
    }
  }

  std::string Prefix() const { return "Line " + std::to_string(line_) + ": "; }

  void Check(TIntStatus st, std::string_view name) const {
    if (st == TIntStatus::Ok) return;
    throw TRecordError{Prefix() + "the value of \"" + std::string(name) + "\"" +
                       (st == TIntStatus::NotANumber ? " is not a number." : " is out of range.")};
  }

  std::string s_;
  int line_;
  std::vector<size_t> pointPos_;
};

constexpr int32_t kMaxLayer = kLayerCount;

std::unique_ptr<TObjekt> ReadTrackOrZone(const TRecordReader& r, bool zone, const TTextImportDefaults& d) {
  auto e = NewObjekt();
  const int32_t width = r.IntOr("WIDTH", d.TrackWidth);
  const auto layer = static_cast<uint8_t>(r.IntOr("LAYER", d.ActiveLayer, 0, kMaxLayer));
  if (zone) {
    InitZone(*e, width, layer);  // hatch width = width unless given
  } else {
    InitTrack(*e, width, layer);
  }
  e->Clearance = r.IntOr("CLEAR", zone ? d.ZoneClearance : kDefaultClearance);
  e->Cutout = r.BoolOr("CUTOUT", false);
  e->SolderMask = r.BoolOr("SOLDERMASK", false);
  if (zone) {
    if (auto v = r.Bool("HATCH")) e->Hatch = *v;
    if (auto v = r.Bool("HATCH_AUTO")) e->HatchAuto = *v;
    if (auto v = r.Int("HATCH_WIDTH")) e->HatchWidth = *v;
  } else {
    if (r.BoolOr("FLATSTART", false)) e->TrackEnds |= 1;
    if (r.BoolOr("FLATEND", false)) e->TrackEnds |= 2;
  }
  e->Points = r.Points();
  return e;
}

// LAYER, CLEAR and SOLDERMASK of pads, after the pad has been initialised on
// layer 1.
void ReadPadCommon(const TRecordReader& r, TObjekt& e) {
  if (auto v = r.Int("LAYER", 0, kMaxLayer)) e.Layer = static_cast<uint8_t>(*v);
  e.Clearance = r.IntOr("CLEAR", kDefaultClearance);
  e.SolderMask = r.BoolOr("SOLDERMASK", true);
}

void ReadThermal(const TRecordReader& r, TObjekt& e, bool individual) {
  if (auto v = r.Bool("THERMAL")) e.Thermal = *v;
  if (auto v = r.Bool("THERMAL_TRACKS_INDIVIDUAL"); v && individual) e.ThermalIndividual = *v;
  if (auto v = r.Int("THERMAL_TRACKS")) e.ThermalSpokes = static_cast<uint32_t>(*v);
  if (auto v = r.Int("THERMAL_TRACKS_WIDTH")) e.ThermalWidth = *v;
}

// Turns the pad about its centre by ROTATION / 100 degrees clockwise.
void ReadPadRotation(const TRecordReader& r, TObjekt& e) {
  if (auto v = r.Int("ROTATION"); v && *v != 0) RotateObjekt(e, Centre(e), *v / 100.0);
}

std::unique_ptr<TObjekt> ReadThtPad(const TRecordReader& r) {
  auto e = NewObjekt();
  const auto shape = static_cast<uint8_t>(r.IntOr("FORM", kShapeRound, kShapeRound, kShapeRectV));
  const TFPoint pos = r.Point("POS").value_or(TFPoint{});
  const int32_t size = r.RequiredInt("SIZE");
  const int32_t drill = r.RequiredInt("DRILL");
  InitThtPad(*e, pos, kLayerC1, shape, static_cast<float>(drill / 2.0), static_cast<float>(size / 2.0));
  ReadPadCommon(r, *e);
  if (auto v = r.Bool("VIA")) e->Via = *v;
  ReadThermal(r, *e, true);
  ReadPadRotation(r, *e);
  return e;
}

std::unique_ptr<TObjekt> ReadSmdPad(const TRecordReader& r) {
  auto e = NewObjekt();
  const TFPoint pos = r.Point("POS").value_or(TFPoint{});
  const int32_t w = r.RequiredInt("SIZE_X");
  const int32_t h = r.RequiredInt("SIZE_Y");
  InitSmdPad(*e, pos, static_cast<float>(w), kLayerC1, static_cast<float>(h));
  ReadPadCommon(r, *e);
  ReadThermal(r, *e, false);
  ReadPadRotation(r, *e);
  return e;
}

// CLEAR (default 4000), CUTOUT and SOLDERMASK of circles and texts.
void ReadDrawingCommon(const TRecordReader& r, TObjekt& e) {
  if (auto v = r.Int("LAYER", 0, kMaxLayer)) e.Layer = static_cast<uint8_t>(*v);
  e.Clearance = r.IntOr("CLEAR", kDefaultClearance);
  e.Cutout = r.BoolOr("CUTOUT", false);
  e.SolderMask = r.BoolOr("SOLDERMASK", false);
}

std::unique_ptr<TObjekt> ReadCircle(const TRecordReader& r) {
  auto e = NewObjekt();
  const TFPoint centre = r.Point("CENTER").value_or(TFPoint{});
  const double radius = r.RequiredInt("RADIUS");
  const double width = r.RequiredInt("WIDTH");
  InitCircle(*e, centre, static_cast<float>(std::round(radius + width / 2)), kLayerC1,
             static_cast<float>(std::round(radius - width / 2)));
  ReadDrawingCommon(r, *e);
  if (auto v = r.Int("START")) e->StartAngle = *v;
  if (auto v = r.Int("STOP")) e->StopAngle = *v;
  if (auto v = r.Bool("FILL")) e->Fill = *v;
  return e;
}

// A project file keeps the first 255 bytes of a text; longer values are cut
// to that here already, which also bounds the strokes one record can create.
constexpr size_t kTextValueMax = 255;

// Where the text value lies: from the first "|" of the record to its last,
// so that a text may itself hold "|". None without a closing "|".
std::optional<std::pair<size_t, size_t>> TextValueSpan(std::string_view raw) {
  const size_t open = raw.find('|');
  if (open == std::string_view::npos) return std::nullopt;
  const size_t close = raw.rfind('|');
  if (close == open) return std::nullopt;
  return std::make_pair(open, close);
}

// The text value as it was read, blanks and case kept; empty without a
// closing "|".
TByteString TextValue(std::string_view raw) {
  const auto span = TextValueSpan(raw);
  if (!span) return {};
  return TByteString(raw.substr(span->first + 1, std::min(span->second - span->first - 1, kTextValueMax)));
}

std::unique_ptr<TObjekt> ReadText(const TRecordReader& r, const TByteString& value) {
  auto e = NewObjekt();
  const TFPoint pos = r.Point("POS").value_or(TFPoint{});
  const int32_t height = r.RequiredInt("HEIGHT");
  const int32_t thickness = r.IntOr("THICKNESS", 1, 0, 2);
  const int32_t style = r.IntOr("STYLE", 1, 0, 2);
  const int32_t rotation = r.IntOr("ROTATION", 0);
  const bool mirrorH = r.BoolOr("MIRROR_HORZ", false);
  const bool mirrorV = r.BoolOr("MIRROR_VERT", false);
  InitText(*e, pos, value, mirrorV, mirrorH, kLayerC1, style, static_cast<float>(thickness), static_cast<float>(height),
           rotation);
  ReadDrawingCommon(r, *e);
  // A text whose glyphs cannot be built keeps no strokes; the clean-up of
  // the caller removes it.
  BuildTextStrokes(*e, false, e->Clearance);
  return e;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The keyword: the text before the first comma without surrounding blanks
// (and control characters), upper-cased.
std::string Keyword(std::string_view head) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t b = 0, e = head.size();
  while (b < e && blank(head[b])) ++b;
  while (e > b && blank(head[e - 1])) --e;
  std::string k(head.substr(b, e - b));
  for (char& c : k) c = Upper(c);
  return k;
}

// Parses one record; appends what it yields.
void ReadRecord(std::string_view raw, int line, const TTextImportDefaults& d, TTextImportResult& out) {
  const size_t comma = raw.find(',');
  if (comma == std::string_view::npos) return;
  const std::string keyword = Keyword(raw.substr(0, comma));
  const TByteString value = keyword == "TEXT" ? TextValue(raw) : TByteString();

  // The fields are looked for outside the text value: a text such as
  // "ROTATION=90" stays a text and turns nothing.
  const auto span = keyword == "TEXT" ? TextValueSpan(raw) : std::nullopt;
  std::string s;
  s.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (span && i > span->first && i < span->second) continue;
    if (raw[i] != ' ') s += Upper(raw[i]);
  }
  const TRecordReader r(std::move(s), line);

  std::unique_ptr<TObjekt> e;
  if (keyword == "TRACK") e = ReadTrackOrZone(r, false, d);
  else if (keyword == "ZONE") e = ReadTrackOrZone(r, true, d);
  else if (keyword == "PAD") e = ReadThtPad(r);
  else if (keyword == "SMDPAD") e = ReadSmdPad(r);
  else if (keyword == "TEXT") e = ReadText(r, value);
  else if (keyword == "CIRCLE") e = ReadCircle(r);
  if (!e) return;
  out.Lines[e.get()] = line;
  out.Elements.push_back(std::move(e));
}

}  // namespace

std::string WriteTextExchangeRecord(const TObjekt& e) {
  switch (e.Kind) {
    case kKindTrack: {
      TRecordWriter w("TRACK");
      WriteCommon(w, e);
      w.Int("WIDTH", e.Width);
      if (FlatInEffect(e, false)) w.Bool("FLATSTART", true);
      if (FlatInEffect(e, true)) w.Bool("FLATEND", true);
      w.Points(e.Points);
      return w.Finish();
    }
    case kKindZone: {
      TRecordWriter w("ZONE");
      WriteCommon(w, e);
      w.Int("WIDTH", e.Width);
      if (e.Hatch) w.Bool("HATCH", true);
      if (!e.HatchAuto) w.Bool("HATCH_AUTO", false);
      if (e.Hatch && !e.HatchAuto) w.Int("HATCH_WIDTH", e.HatchWidth);
      w.Points(e.Points);
      return w.Finish();
    }
    case kKindThtPad: {
      TRecordWriter w("PAD");
      WritePadCommon(w, e);
      w.Point("POS", e.Pos);
      w.Int("FORM", e.Shape);
      w.Int("SIZE", RoundClamped(2.0 * e.SizeA));
      w.Int("DRILL", RoundClamped(2.0 * e.SizeB));
      if (e.Via) w.Bool("VIA", true);
      WritePadRotation(w, e);
      WriteThermal(w, e, true);
      return w.Finish();
    }
    case kKindSmdPad: {
      TRecordWriter w("SMDPAD");
      WritePadCommon(w, e);
      const TDPoint c = Centre(e);
      w.Point("POS", {static_cast<float>(c.X), static_cast<float>(c.Y)});
      w.Int("SIZE_X", RoundClamped(e.SizeA));
      w.Int("SIZE_Y", RoundClamped(e.SizeB));
      WritePadRotation(w, e);
      WriteThermal(w, e, false);
      return w.Finish();
    }
    case kKindCircle: {
      TRecordWriter w("CIRCLE");
      WriteCommon(w, e);
      w.Point("CENTER", e.Pos);
      w.Int("RADIUS", RoundClamped((double(e.SizeA) + e.SizeB) / 2));
      w.Int("WIDTH", RoundClamped(double(e.SizeA) - e.SizeB));
      if (e.StartAngle != 0) w.Int("START", e.StartAngle);
      if (e.StopAngle != 0) w.Int("STOP", e.StopAngle);
      if (e.Fill) w.Bool("FILL", true);
      return w.Finish();
    }
    case kKindText: {
      TRecordWriter w("TEXT");
      WriteCommon(w, e);
      w.Point("POS", e.Pos);
      w.Int("HEIGHT", RoundClamped(e.SizeA));
      if (const int32_t t = RoundClamped(e.SizeB); t != 1) w.Int("THICKNESS", t);
      if (e.Style != 1) w.Int("STYLE", e.Style);
      if (e.MirrorH) w.Bool("MIRROR_HORZ", true);
      if (e.MirrorV) w.Bool("MIRROR_VERT", true);
      if (e.Rotation != 0) w.Int("ROTATION", e.Rotation);
      w.Text("TEXT", e.Text);
      return w.Finish();
    }
    default: return {};
  }
}

std::string WriteTextExchange(const std::vector<const TObjekt*>& elements) {
  std::string out;
  for (const TObjekt* e : elements) {
    if (e) out += WriteTextExchangeRecord(*e);
    out += "\r\n";
  }
  return out;
}

TTextImportResult ReadTextExchange(std::string_view text, const TTextImportDefaults& defaults) {
  TTextImportResult res;
  std::string record;
  int line = 0;
  int recordLine = 1;
  try {
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string_view::npos) end = text.size();
      ++line;
      if (record.empty()) recordLine = line;
      record.append(text.substr(pos, end - pos));
      if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
      pos = end + 1;
      // Blanks after the closing ";" still end the record.
      const size_t last = record.find_last_not_of(" \t");
      if (last != std::string::npos && record[last] == ';') {
        ReadRecord(record, recordLine, defaults, res);
        record.clear();
      }
    }
    if (!record.empty()) ReadRecord(record, recordLine, defaults, res);
  } catch (const TRecordError& err) {
    res.Elements.clear();
    res.Lines.clear();
    res.Error = err.Message;
    return res;
  }
  if (res.Elements.empty()) {
    res.Error = kNoValidTextData;
    return res;
  }
  res.Ok = true;
  return res;
}

TImportBoardSize ImportBoardSize(const TTextImportResult& read, const TPlatine& board) {
  TImportBoardSize size;
  int64_t right = board.Width, down = board.Height;
  for (const auto& e : read.Elements) {
    const std::optional<TURect> r = OutlineBounds(*e, board);
    if (!r) continue;
    // A board spans x 0 ... width and y -height ... 0 (Top is the smaller y).
    const int64_t nearRight = r->Left, nearDown = -int64_t{r->Bottom};
    if (nearRight > kMaxBoardSide || nearDown > kMaxBoardSide) {
      const bool isRight = nearRight > kMaxBoardSide;
      const auto line = read.Lines.find(e.get());
      size.Error = (line != read.Lines.end() ? "Line " + std::to_string(line->second) + ": the" : "The") +
                   std::string(" element lies ") + UnitsAsMillimetres(isRight ? nearRight : nearDown) + " mm " +
                   (isRight ? "to the right" : "down") + ", wholly beyond the largest board (" +
                   UnitsAsMillimetres(kMaxBoardSide) + " x " + UnitsAsMillimetres(kMaxBoardSide) + " mm).";
      return size;
    }
    right = std::max<int64_t>(right, r->Right);
    down = std::max<int64_t>(down, -int64_t{r->Top});
  }
  // Elements reaching beyond the limit overhang a board of the largest size.
  size.Width = std::max(board.Width, static_cast<int32_t>(std::min<int64_t>(right, kMaxBoardSide)));
  size.Height = std::max(board.Height, static_cast<int32_t>(std::min<int64_t>(down, kMaxBoardSide)));
  return size;
}

}  // namespace bs
