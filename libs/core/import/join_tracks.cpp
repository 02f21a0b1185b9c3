// JoinTracks: tracks whose ends meet become one track, arcs whose ends meet
// one arc. The search is indexed so that large files stay fast; the result
// is the same as comparing every pair in list order.
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "import/gerber_import.h"
#include "model/objekt_list.h"

namespace bs {

namespace {
// Track ends are compared rounded to whole units.
struct TEndKey {
  uint8_t Layer;
  int32_t Width;
  int64_t X, Y;
  friend bool operator<(const TEndKey& a, const TEndKey& b) {
    return std::tie(a.Layer, a.Width, a.X, a.Y) < std::tie(b.Layer, b.Width, b.X, b.Y);
  }
};

int64_t R(float v) { return std::llround(double(v)); }

TEndKey KeyOf(const TObjekt& e, const TFPoint& p) { return {e.Layer, e.Width, R(p.X), R(p.Y)}; }

bool SameEnd(const TFPoint& a, const TFPoint& b) { return R(a.X) == R(b.X) && R(a.Y) == R(b.Y); }

// Tracks with flat ends (the lines of macros) keep their ends.
bool IsJoinable(const TObjekt& e) { return e.Kind == kKindTrack && !e.Points.empty() && e.TrackEnds == 0; }

// Attaches b to a at the matching end; false when no end meets.
bool Attach(TObjekt& a, const TObjekt& b) {
  TPointList& A = a.Points;
  const TPointList& B = b.Points;
  if (SameEnd(A.front(), B.front())) {
    TPointList n(B.rbegin(), B.rend());
    n.insert(n.end(), A.begin() + 1, A.end());
    A.swap(n);
  } else if (SameEnd(A.front(), B.back())) {
    TPointList n(B.begin(), B.end());
    n.insert(n.end(), A.begin() + 1, A.end());
    A.swap(n);
  } else if (SameEnd(A.back(), B.front())) {
    A.insert(A.end(), B.begin() + 1, B.end());
  } else if (SameEnd(A.back(), B.back())) {
    A.insert(A.end(), B.rbegin() + 1, B.rend());
  } else {
    return false;
  }
  return true;
}

void JoinArcs(TObjektList& list) {
  // Buckets of 8 units for the centre: a partner within 4 units lies in the
  // same or a neighbouring bucket.
  std::map<std::tuple<uint8_t, uint8_t, int64_t, int64_t>, std::vector<size_t>> buckets;
  const auto cell = [](float v) { return int64_t(std::floor(double(v) / 8.0)); };
  for (size_t i = 0; i < list.size(); ++i) {
    const TObjekt& e = *list[i];
    if (e.Kind == kKindCircle && e.StartAngle != e.StopAngle)
      buckets[{e.Layer, e.Fill, cell(e.Pos.X), cell(e.Pos.Y)}].push_back(i);
  }
  std::vector<size_t> cand;
  for (size_t i = 0; i + 1 < list.size(); ++i) {
    TObjekt& a = *list[i];
    if (a.Kind != kKindCircle || a.Mark || a.StartAngle == a.StopAngle) continue;
    cand.clear();
    for (int64_t dx = -1; dx <= 1; ++dx)
      for (int64_t dy = -1; dy <= 1; ++dy) {
        const auto it = buckets.find({a.Layer, a.Fill, cell(a.Pos.X) + dx, cell(a.Pos.Y) + dy});
        if (it != buckets.end()) cand.insert(cand.end(), it->second.begin(), it->second.end());
      }
    std::sort(cand.begin(), cand.end());
    for (size_t j : cand) {
      if (j == i) continue;
      TObjekt& b = *list[j];
      if (b.Mark || a.StartAngle == a.StopAngle) continue;
      if (std::fabs(a.Pos.X - b.Pos.X) > 4 || std::fabs(a.Pos.Y - b.Pos.Y) > 4 || std::fabs(a.SizeA - b.SizeA) > 4 ||
          std::fabs(a.SizeB - b.SizeB) > 4)
        continue;
      if (std::llabs(int64_t(a.StartAngle) - b.StopAngle) <= 4) {
        a.StartAngle = b.StartAngle;
        b.Mark = 1;
      } else if (std::llabs(int64_t(a.StopAngle) - b.StartAngle) <= 4) {
        a.StopAngle = b.StopAngle;
        b.Mark = 1;
      }
    }
  }
}
}  // namespace

size_t JoinTracks(TObjektList& list, const TProgress* progress) {
  for (auto& e : list) e->Mark = 0;
  // Each end of every joinable track, by (layer, width, end point): the
  // indices of the tracks not yet absorbed.
  std::map<TEndKey, std::set<size_t>> ends;
  for (size_t i = 0; i < list.size(); ++i) {
    const TObjekt& e = *list[i];
    if (!IsJoinable(e)) continue;
    ends[KeyOf(e, e.Points.front())].insert(i);
    ends[KeyOf(e, e.Points.back())].insert(i);
  }
  const auto drop = [&](size_t i) {
    const TObjekt& e = *list[i];
    for (const TFPoint* p : {&e.Points.front(), &e.Points.back()}) {
      const auto it = ends.find(KeyOf(e, *p));
      if (it != ends.end()) it->second.erase(i);
    }
  };
  // The first track after `i` with an end at `p`.
  const auto after = [&](size_t i, const TObjekt& a, const TFPoint& p) -> size_t {
    const auto it = ends.find(KeyOf(a, p));
    if (it == ends.end()) return SIZE_MAX;
    const auto j = it->second.upper_bound(i);
    return j == it->second.end() ? SIZE_MAX : *j;
  };
  const size_t n = list.size();
  bool aborted = false;
  for (size_t i = 0; i < n && !aborted; ++i) {
    if ((i & 1023) == 0) {
      if (progress) {
        progress->Report(int(i), int(n));
        aborted = progress->Aborted();
      }
    }
    TObjekt& a = *list[i];
    if (!IsJoinable(a) || a.Mark) continue;
    // A takes its ends out of the index while it grows: later tracks never
    // look back at it.
    drop(i);
    for (;;) {
      const size_t j = std::min(after(i, a, a.Points.front()), after(i, a, a.Points.back()));
      if (j == SIZE_MAX) break;
      TObjekt& b = *list[j];
      drop(j);
      Attach(a, b);
      b.Mark = 1;
    }
  }
  if (progress) progress->Report(int(n), int(n));
  JoinArcs(list);
  return DeleteObjekte(list, [](const TObjekt& e) { return e.Mark != 0; });
}

}  // namespace bs
