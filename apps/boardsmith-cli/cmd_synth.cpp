// "synth": large deterministic boards for benchmarks.
#include <ostream>

#include "args.h"
#include "load.h"
#include "model/atomic_file.h"
#include "synth/synth_board.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli synth --elements N [--seed S] [--multilayer] [--force] OUT.bsm6\n\n"
    "Writes a synthetic project of about N elements: components with labels,\n"
    "tracks, vias, zones, circles and texts on all layers, rubber bands and a\n"
    "ground plane on C2. The same N and seed give the same file.\n\n"
    "Options:\n"
    "  --elements N  number of elements (1 to 10000000)\n"
    "  --seed S      random seed (default 1)\n"
    "  --multilayer  use the inner layers too\n"
    "  --force       replace OUT when it exists\n";

int RunSynth(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Option("--elements").Option("--seed").Flag("--multilayer").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "synth", e);
  if (a.Positional().size() != 1) return UsageError(ctx, "synth", "expects one OUT file");
  if (!a.Has("--elements")) return UsageError(ctx, "synth", "--elements is required");
  long long n = 0, seed = 1;
  if (std::string e = a.IntValue("--elements", 1, 10000000, n); !e.empty()) return UsageError(ctx, "synth", e);
  if (std::string e = a.IntValue("--seed", 0, 0xFFFFFFFFll, seed); !e.empty()) return UsageError(ctx, "synth", e);
  const std::string& out = a.Positional()[0];
  if (!MayWrite(ctx, "synth", out, a.Has("--force"))) return 1;
  TSynthOptions opt;
  opt.Elements = static_cast<size_t>(n);
  opt.Seed = static_cast<uint32_t>(seed);
  opt.Multilayer = a.Has("--multilayer");
  TProject p;
  MakeSynthProject(p, opt);
  if (!WriteFileAtomically(out, EncodeProject(p)))
    return Fail(ctx, "synth", "The file \"" + out + "\" can not be written.");
  return 0;
}
}  // namespace

TSubcommand SynthCommand() { return {"synth", "write a large synthetic project for benchmarks", kUsage, RunSynth}; }

}  // namespace bs::cli
