// "render": a board drawn as the screen draws it, written as a PNG.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <tuple>

#include "args.h"
#include "load.h"
#include "render/painter.h"
#include "render/png.h"
#include "render/raster_surface.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli render FILE [--board N] OUT.png [--dpi D | --zoom Z] [--plain]\n"
    "           [--active-layer L] [--layers 1,3,...] [--scheme N]\n"
    "           [--width W --height H --scroll X,Y] [--force]\n\n"
    "Draws a board as the editor shows it and writes a PNG. By default the whole\n"
    "board is drawn anti-aliased at a zoom that makes its longer side 1600 pixels,\n"
    "with the board's own active layer and layer visibility.\n\n"
    "Options:\n"
    "  --board N         board index from 0 (default: the file's active board)\n"
    "  --zoom Z          pixels per unit (1 unit = 0.1 um): pixel x = x * Z - scroll x,\n"
    "                    pixel y = -y * Z - scroll y\n"
    "  --dpi D           the same as dots per inch (Z = D / 254000)\n"
    "  --plain           the plain (aliased) look instead of anti-aliasing\n"
    "  --active-layer L  draw as if layer L (1 ... 7) were active\n"
    "  --layers LIST     the visible layers, e.g. 1,3,7\n"
    "  --scheme N        colour scheme: 0 default, 1 ... 3 the user schemes C_USER<N>.DAT\n"
    "                    from the Boardsmith data folder\n"
    "  --width W, --height H, --scroll X,Y\n"
    "                    a window of W x H pixels at the given scroll offsets instead\n"
    "                    of the whole board\n"
    "  --force           replace OUT when it exists\n";

std::string DataFolder() {
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) return std::string(x) + "/boardsmith";
  if (const char* h = std::getenv("HOME"); h && *h) return std::string(h) + "/.local/share/boardsmith";
  return ".";
}

int RunRender(const std::vector<std::string>& args, TContext& ctx) {
  const std::string cmd = "render";
  TArgs a;
  a.Option("--board")
      .Option("--dpi")
      .Option("--zoom")
      .Flag("--plain")
      .Option("--active-layer")
      .Option("--layers")
      .Option("--scheme")
      .Option("--width")
      .Option("--height")
      .Option("--scroll")
      .Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 2) return UsageError(ctx, cmd, "expects FILE and OUT.png");
  const std::string& in = a.Positional()[0];
  const std::string& out = a.Positional()[1];
  long long board = -1, layer = 0, scheme = 0, width = 0, height = 0;
  for (auto [name, lo, hi, target] :
       {std::tuple{"--board", 0LL, 1LL << 30, &board}, std::tuple{"--active-layer", 1LL, 7LL, &layer},
        std::tuple{"--scheme", 0LL, 3LL, &scheme}, std::tuple{"--width", 1LL, 20000LL, &width},
        std::tuple{"--height", 1LL, 20000LL, &height}})
    if (std::string e = a.IntValue(name, lo, hi, *target); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Has("--dpi") && a.Has("--zoom")) return UsageError(ctx, cmd, "give either --dpi or --zoom");
  double zoom = 0;
  if (auto v = a.Value("--zoom"); v && (!ParseNumber(*v, zoom) || zoom <= 0 || zoom > 100))
    return UsageError(ctx, cmd, "--zoom needs a number above 0 and at most 100");
  if (auto v = a.Value("--dpi")) {
    double dpi = 0;
    if (!ParseNumber(*v, dpi) || dpi <= 0 || dpi > 1e6) return UsageError(ctx, cmd, "--dpi needs a positive number");
    zoom = dpi / kUnitsPerInch;
  }
  if (a.Has("--width") != a.Has("--height")) return UsageError(ctx, cmd, "give --width and --height together");
  double scrollX = 0, scrollY = 0;
  if (auto v = a.Value("--scroll")) {
    const size_t comma = v->find(',');
    if (comma == std::string::npos || !ParseNumber(v->substr(0, comma), scrollX) ||
        !ParseNumber(v->substr(comma + 1), scrollY))
      return UsageError(ctx, cmd, "--scroll needs X,Y");
  }
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;

  TProject p;
  int version = 0;
  if (!LoadProject(ctx, cmd, in, p, version)) return 1;
  if (board < 0) board = p.ActiveIndex;
  if (board >= static_cast<long long>(p.Boards.size()))
    return Fail(
        ctx, cmd,
        "the file has " + std::to_string(p.Boards.size()) + " board(s); there is no board " + std::to_string(board));
  TBoard& b = *p.Boards[size_t(board)];
  TPlatine& r = b.Platine;
  if (layer) r.ActiveLayer = static_cast<int32_t>(layer);
  if (auto v = a.Value("--layers")) {
    std::array<uint8_t, 8> visible{};
    std::stringstream list(*v);
    std::string item;
    while (std::getline(list, item, ',')) {
      long long l = 0;
      if (!ParseInt(item, 1, 7, l)) return UsageError(ctx, cmd, "--layers needs layer numbers 1 ... 7");
      visible[size_t(l)] = 1;
    }
    r.LayerVisible = visible;
  }
  if (r.ActiveLayer >= 1 && r.ActiveLayer <= 7) r.LayerVisible[r.ActiveLayer] = 1;
  if (zoom == 0) zoom = 1600.0 / std::max({double(r.Width), double(r.Height), 1.0});
  if (!width) {
    width = std::llround(r.Width * zoom + 1);
    height = std::llround(r.Height * zoom + 1);
    if (width > 20000 || height > 20000)
      return Fail(ctx, cmd,
                  "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels; choose a smaller zoom or a window with --width and --height");
  }

  TPaintSettings set;
  if (scheme > 0) set.Scheme = ReadColourScheme(DataFolder() + "/C_USER" + std::to_string(scheme) + ".DAT");
  TRasterSurface surface(int(width), int(height), !a.Has("--plain"));
  surface.Clear(set.Scheme.Background());
  PaintBoard(surface, b, TViewMap{zoom, scrollX, scrollY}, set);
  if (!WritePng(out, surface.Raster(), zoom * 1e7))
    return Fail(ctx, cmd, "The file \"" + out + "\" can not be written.");
  return 0;
}
}  // namespace

TSubcommand RenderCommand() {
  return {"render", "draw a board as the editor shows it and write a PNG", kUsage, RunRender};
}

}  // namespace bs::cli
