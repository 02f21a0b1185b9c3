#include "render/stroke_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace bs {
namespace {

constexpr std::string_view kDotGlyph = "XXXXXX+04+00+00+00+00+04+04+04+04+00+00-00ZZZZZZ";

// The points of a glyph as GlyphPoint reads them, one vector per stroke.
std::vector<std::vector<TIPoint>> Strokes(uint8_t code) {
  std::vector<std::vector<TIPoint>> strokes;
  for (int i = 0;; ++i) {
    const std::optional<TIPoint> p = GlyphPoint(code, i);
    if (!p || *p == kGlyphEnd) break;
    if (*p == kGlyphPenUp) {
      strokes.emplace_back();
    } else if (!strokes.empty()) {
      strokes.back().push_back(*p);
    }
  }
  return strokes;
}

std::vector<TIPoint> Points(uint8_t code) {
  std::vector<TIPoint> points;
  for (const auto& s : Strokes(code)) points.insert(points.end(), s.begin(), s.end());
  return points;
}

std::string Name(int code) { return "code " + std::to_string(code); }

// The codes that have a glyph of their own.
bool IsCovered(int code) {
  return (code >= 32 && code <= 126) || (code >= 134 && code <= 137) || code == 168 || code == 176 || code == 177 ||
         (code >= 180 && code <= 185) || code >= 192;
}

TEST(StrokeFont, EveryGlyphIsWellFormedAndInsideTheFrame) {
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(Name(code));
    const std::string_view g = GlyphString(static_cast<uint8_t>(code));
    ASSERT_EQ(g.size() % 6, 0u);
    ASSERT_GE(g.size(), 6u);
    EXPECT_EQ(g.substr(g.size() - 6), "ZZZZZZ");
    if (g != "ZZZZZZ") {
      EXPECT_EQ(g.substr(0, 6), "XXXXXX");
    }

    const int tokens = static_cast<int>(g.size() / 6);
    for (int i = 0; i < tokens; ++i) {
      SCOPED_TRACE("token " + std::to_string(i));
      const std::optional<TIPoint> p = GlyphPoint(static_cast<uint8_t>(code), i);
      ASSERT_TRUE(p.has_value());
      if (i == tokens - 1) {
        EXPECT_EQ(*p, kGlyphEnd);
      } else if (g[i * 6] == 'X') {
        EXPECT_EQ(*p, kGlyphPenUp);
      } else {
        EXPECT_NE(*p, kGlyphEnd);  // no end marker inside a glyph
        EXPECT_GE(p->X, 0);
        EXPECT_LE(p->X, 60);
        EXPECT_GE(p->Y, -20);
        EXPECT_LE(p->Y, 80);
      }
    }
    // A stroke needs at least two points to draw anything.
    for (const auto& s : Strokes(static_cast<uint8_t>(code))) EXPECT_GE(s.size(), 2u);
  }
}

TEST(StrokeFont, CodesWithoutAGlyphDrawTheFullStop) {
  EXPECT_EQ(GlyphString('.'), kDotGlyph);
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(Name(code));
    const std::string_view g = GlyphString(static_cast<uint8_t>(code));
    if (!IsCovered(code)) {
      EXPECT_EQ(g, kDotGlyph);
    } else if (code != '.') {
      EXPECT_NE(g, kDotGlyph);
      if (code != ' ') {
        EXPECT_FALSE(Points(static_cast<uint8_t>(code)).empty());
      }
    }
  }
}

TEST(StrokeFont, ExampleGlyphsAreExact) {
  const struct {
    int code;
    std::string_view glyph;
  } cases[] = {
      {' ', "ZZZZZZ"},
      {'.', kDotGlyph},
      {'1', "XXXXXX+00+50+25+80+25+00ZZZZZZ"},
      {'A', "XXXXXX+00+00+25+80+50+00XXXXXX+10+30+40+30ZZZZZZ"},
      {'B',
       "XXXXXX+00+00+00+80+25+80+35+75+40+65+40+55+35+45+25+40+35+35+40+25+40+15+35+05+25+00+00+00"
       "XXXXXX+00+40+25+40ZZZZZZ"},
      {'H', "XXXXXX+00+00+00+80XXXXXX+40+00+40+80XXXXXX+00+40+40+40ZZZZZZ"},
      {'l', "XXXXXX+00+00+00+80ZZZZZZ"},
      {'|', "XXXXXX+00+00+00+80ZZZZZZ"},
      {'-', "XXXXXX+00+35+40+35ZZZZZZ"},
      {176, "XXXXXX+18+77+10+80+03+77+00+68+03+59+10+56+18+59+20+68+18+77ZZZZZZ"},  // degree sign
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Name(c.code));
    EXPECT_EQ(GlyphString(static_cast<uint8_t>(c.code)), c.glyph);
  }
}

// The advance widths of printable ASCII, which fix the spacing of every text.
TEST(StrokeFont, AsciiWidths) {
  const struct {
    int width;
    std::string_view chars;
  } cases[] = {
      {0, "!'il`|"},
      {4, ".:;"},
      {10, ",j"},
      {15, "()[]\""},
      {20, "^frt{}"},
      {25, "1c"},
      {30, "abdeghknopqsuz"},
      {35, "EFL@"},
      {39, "$"},
      {40, "+-/023456789<=>?BCDGHIJKNOPRSTUZvxy*\\"},
      {45, "Q"},
      {50, "#&AMVWXYm_"},
      {55, "w"},
      {57, "~"},
      {60, "%"},
  };
  int listed[128] = {};
  for (const auto& c : cases) {
    for (const char ch : c.chars) {
      SCOPED_TRACE(std::string("character ") + ch);
      EXPECT_EQ(GlyphWidth(static_cast<uint8_t>(ch)), c.width);
      ++listed[static_cast<int>(ch)];
    }
  }
  // The table above names every printable character but the space once.
  for (int ch = '!'; ch <= '~'; ++ch) EXPECT_EQ(listed[ch], 1) << "character " << static_cast<char>(ch);
  EXPECT_EQ(GlyphWidth(' '), 1);
}

TEST(StrokeFont, WidthIsTheLargestX) {
  for (int code = 0; code < 256; ++code) {
    if (code == ' ') continue;
    SCOPED_TRACE(Name(code));
    int largest = 0;
    for (const TIPoint& p : Points(static_cast<uint8_t>(code))) largest = std::max(largest, p.X);
    EXPECT_EQ(GlyphWidth(static_cast<uint8_t>(code)), largest);
  }
}

// Pairs of codes drawn with the same glyph. Every other two covered codes
// must differ, so that a copied line in the table shows up.
constexpr struct {
  int code;
  int same_as;
} kShared[] = {
    {'`', '\''},
    {'|', 'l'},
    // Cyrillic capitals А В Е З К М Н О Р С Т Х
    {0xC0, 'A'},
    {0xC2, 'B'},
    {0xC5, 'E'},
    {0xC7, '3'},
    {0xCA, 'K'},
    {0xCC, 'M'},
    {0xCD, 'H'},
    {0xCE, 'O'},
    {0xD0, 'P'},
    {0xD1, 'C'},
    {0xD2, 'T'},
    {0xD5, 'X'},
    // Cyrillic small а е о р с у х
    {0xE0, 'a'},
    {0xE5, 'e'},
    {0xEE, 'o'},
    {0xF0, 'p'},
    {0xF1, 'c'},
    {0xF3, 'y'},
    {0xF5, 'x'},
};

TEST(StrokeFont, LookAlikesShareGlyphs) {
  for (const auto& s : kShared) {
    SCOPED_TRACE(Name(s.code));
    EXPECT_EQ(GlyphString(static_cast<uint8_t>(s.code)), GlyphString(static_cast<uint8_t>(s.same_as)));
  }
}

TEST(StrokeFont, OtherGlyphsAreDistinct) {
  const auto shared = [](int a, int b) {
    return std::any_of(std::begin(kShared), std::end(kShared), [&](const auto& s) {
      return (s.code == a && s.same_as == b) || (s.code == b && s.same_as == a);
    });
  };
  for (int a = 0; a < 256; ++a) {
    if (!IsCovered(a)) continue;
    for (int b = a + 1; b < 256; ++b) {
      if (!IsCovered(b) || shared(a, b)) continue;
      EXPECT_NE(GlyphString(static_cast<uint8_t>(a)), GlyphString(static_cast<uint8_t>(b)))
          << Name(a) << " and " << Name(b);
    }
  }
}

// Letters stand on the baseline and reach the cap height or the x-height;
// only letters with a descender go below the baseline.
TEST(StrokeFont, LettersSitOnTheirLines) {
  std::vector<int> capitals, small;
  for (int c = 'A'; c <= 'Z'; ++c) capitals.push_back(c);
  for (int c = 0xC0; c <= 0xDF; ++c) capitals.push_back(c);
  capitals.push_back(0xA8);  // Ё
  for (const char c : std::string_view("acemnorsuvwxz")) small.push_back(c);
  for (int c = 0xE0; c <= 0xFF; ++c) {
    if (c != 0xE1 && c != 0xE9 && c != 0xF4) small.push_back(c);  // б й ф reach higher
  }
  const std::string_view descenders = "gjpqy";
  const std::vector<int> cyrillic_descenders = {0xC4, 0xD6, 0xD9, 0xE4, 0xF0, 0xF3, 0xF4, 0xF6, 0xF9};

  const auto top = [](int code) {
    int y = -100;
    for (const TIPoint& p : Points(static_cast<uint8_t>(code))) y = std::max(y, p.Y);
    return y;
  };
  const auto bottom = [](int code) {
    int y = 100;
    for (const TIPoint& p : Points(static_cast<uint8_t>(code))) y = std::min(y, p.Y);
    return y;
  };
  for (const int c : capitals) EXPECT_EQ(top(c), 80) << Name(c);
  for (const int c : small) EXPECT_EQ(top(c), 45) << Name(c);

  std::vector<int> letters = capitals;
  for (int c = 'a'; c <= 'z'; ++c) letters.push_back(c);
  for (int c = 0xE0; c <= 0xFF; ++c) letters.push_back(c);
  letters.push_back(0xB8);  // ё
  for (const int c : letters) {
    const bool descends =
        (c < 128 && descenders.find(static_cast<char>(c)) != std::string_view::npos) ||
        std::find(cyrillic_descenders.begin(), cyrillic_descenders.end(), c) != cyrillic_descenders.end();
    if (descends) {
      EXPECT_LT(bottom(c), 0) << Name(c);
    } else {
      EXPECT_EQ(bottom(c), 0) << Name(c);
    }
  }
}

TEST(StrokeFont, GlyphPointReadsTokens) {
  // "A": pen-up, three points, pen-up, two points, end.
  const std::optional<TIPoint> expected[] = {
      kGlyphPenUp, TIPoint{0, 0},   TIPoint{25, 80}, TIPoint{50, 0},
      kGlyphPenUp, TIPoint{10, 30}, TIPoint{40, 30}, kGlyphEnd,
  };
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    EXPECT_EQ(GlyphPoint('A', i), expected[i]) << "token " << i;
  }
  // A negative sign in front of zero reads as zero.
  EXPECT_EQ(GlyphPoint('.', 6), (TIPoint{0, 0}));
}

TEST(StrokeFont, GlyphPointPastTheEndIsTheEndMarker) {
  for (const int i : {7, 8, 100, 1 << 30, -1}) EXPECT_EQ(GlyphPoint('A', i), kGlyphEnd) << "token " << i;
  // The space is only the end marker.
  EXPECT_EQ(GlyphPoint(' ', 0), kGlyphEnd);
  EXPECT_EQ(GlyphPoint(' ', 1), kGlyphEnd);
  // Codes without a glyph read the full stop's tokens.
  for (int i = 0; i < 9; ++i) EXPECT_EQ(GlyphPoint(1, i), GlyphPoint('.', i)) << "token " << i;
}

}  // namespace
}  // namespace bs
