// "picture": the whole board as a BMP, JPEG or GIF picture at a resolution
// in dots per inch, in colour or black and white.
#include <ostream>

#include "args.h"
#include "cam/picture.h"
#include "load.h"
#include "model/messages.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli picture FILE [--board N] OUT.bmp|OUT.jpg|OUT.gif [--dpi D] [--bw]\n"
    "           [--estimate] [--force]\n\n"
    "Draws the whole board with all its visible layers into a picture file; the\n"
    "extension of OUT chooses the format. A BMP stores the resolution, a JPEG its\n"
    "density in dots per inch. Black and white draws copper, planes, spokes and\n"
    "print black and gaps, holes and background white (a 1-bit BMP).\n\n"
    "Options:\n"
    "  --board N   board index from 0 (default: the file's active board)\n"
    "  --dpi D     resolution, 100 ... 1200 dots per inch (default 600)\n"
    "  --bw        black and white instead of colour\n"
    "  --estimate  only print the size in pixels and the memory estimate\n"
    "  --force     replace OUT when it exists, and make a picture whose memory\n"
    "              estimate is above 25000 kB\n";

int RunPicture(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "picture";
  TArgs a;
  a.Option("--board").Option("--dpi").Flag("--bw").Flag("--estimate").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 2) return UsageError(ctx, cmd, "expects FILE and OUT.bmp, OUT.jpg or OUT.gif");
  long long dpi = 600;
  if (std::string e = a.IntValue("--dpi", kPictureMinDpi, kPictureMaxDpi, dpi); !e.empty())
    return UsageError(ctx, cmd, e);
  const std::string& out = a.Positional()[1];
  const auto format = PictureFormatOf(out);
  if (!format) return UsageError(ctx, cmd, "OUT must end in .bmp, .jpg, .jpeg or .gif");
  const bool estimate = a.Has("--estimate"), force = a.Has("--force");
  if (!estimate && !MayWrite(ctx, cmd, out, force)) return 1;

  TProject p;
  int code = 0;
  const TBoard* loaded = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!loaded) return code;
  const TBoard& b = *loaded;

  TPictureOptions o;
  o.Format = *format;
  o.Dpi = int(dpi);
  o.Colour = !a.Has("--bw");
  const TPictureSize size = PictureSize(b.Platine, o.Dpi);
  const long long kb = PictureMemoryKb(size, o.Colour);
  const std::string pixels = std::to_string(size.Width) + " x " + std::to_string(size.Height);
  if (estimate) {
    ctx.out << pixels << " pixels at " << dpi << " dpi, " << (o.Colour ? "colour" : "black and white") << ", " << kb
            << " kB\n";
    return 0;
  }
  switch (CheckPicture(b.Platine, o).Status) {
    case TPictureStatus::Empty: return Fail(ctx, cmd, "the board has no area to draw");
    case TPictureStatus::TooLarge:
      return Fail(ctx, cmd,
                  "the picture would be " + pixels + " pixels, more than the file format holds; choose a lower --dpi");
    default: break;
  }
  if (kb > kPictureLargeKb && !force)
    return Fail(ctx, cmd,
                "the picture would be " + pixels + " pixels, a large bitmap of about " + std::to_string(kb) +
                    " kB; give --force to make it anyway, or choose a lower --dpi or --bw");
  const TPictureResult r = WritePicture(out, b, o);
  if (r.Status == TPictureStatus::CannotWrite)
    return Fail(ctx, cmd, FormatMessage(msg::kCannotWrite, {out}) + " " + r.Reason);
  if (!r.Ok()) return Fail(ctx, cmd, "the picture could not be encoded: " + r.Reason);
  ctx.out << "picture of " << pixels << " pixels at " << dpi << " dpi written to " << out << "\n";
  return 0;
}
}  // namespace

TSubcommand PictureCommand() {
  return {"picture", "draw a board into a BMP, JPEG or GIF picture at a resolution", kUsage, RunPicture};
}

}  // namespace bs::cli
