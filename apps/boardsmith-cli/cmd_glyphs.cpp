// "glyphs": every glyph of the stroke font with its code, as a PNG.
#include <ostream>

#include "args.h"
#include "load.h"
#include "render/painter.h"
#include "render/png.h"
#include "render/raster_surface.h"
#include "render/stroke_font.h"
#include "render/text_strokes.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli glyphs OUT.png [--force]\n\n"
    "Draws every code of the stroke font (32 ... 255) in a grid of 16 columns,\n"
    "each with its code below it, to check the font by eye.\n";

int RunGlyphs(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "glyphs", e);
  if (a.Positional().size() != 1) return UsageError(ctx, "glyphs", "expects one OUT.png");
  const std::string& out = a.Positional()[0];
  if (!MayWrite(ctx, "glyphs", out, a.Has("--force"))) return 1;

  const float cell = 100000, glyph = 50000;
  TBoard board;
  board.Platine = NewPlatine(int32_t(16 * cell), int32_t(14 * cell), false);
  board.Platine.LayerVisible = {0, 1, 1, 1, 1, 1, 1, 1};
  auto text = [&](float x, float y, const std::string& s, float h, uint8_t layer) {
    auto t = NewObjekt();
    InitText(*t, {x, y}, s, false, false, layer, 1, 1, h, 0);
    BuildTextStrokes(*t, false);
    board.Elements.push_back(std::move(t));
  };
  for (int code = 32; code < 256; ++code) {
    const int i = code - 32;
    const float x = (i % 16) * cell + 20000, y = -(i / 16) * cell - 10000;
    if (code != 32) text(x, y - glyph - 5000, std::string(1, char(code)), glyph, kLayerS1);
    text(x, y - cell + 15000, std::to_string(code), 10000, kLayerC2);
  }
  TPaintSettings set;
  const double zoom = 0.0008;
  TRasterSurface s(int(16 * cell * zoom + 1), int(14 * cell * zoom + 1), true);
  s.Clear(set.Scheme.Background());
  board.Platine.OriginX = board.Platine.OriginY = -1000000;  // keep the zero-point cross out of view
  PaintBoard(s, board, TViewMap{zoom, 0, 0}, set);
  if (!WritePng(out, s.Raster())) return Fail(ctx, "glyphs", "The file \"" + out + "\" can not be written.");
  return 0;
}
}  // namespace

TSubcommand GlyphsCommand() { return {"glyphs", "draw the stroke font as a PNG", kUsage, RunGlyphs}; }

}  // namespace bs::cli
