// "demo": writes the bundled example project.
#include <ostream>

#include "args.h"
#include "cli.h"
#include "example_board.h"
#include "load.h"
#include "model/atomic_file.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli demo OUT.bsm6 [--kinds] [--force]\n\n"
    "Writes the example project (a small double-sided timer board with\n"
    "components, tracks, rubber bands and a ground plane), the same as\n"
    "examples/demo.bsm6.\n\n"
    "Options:\n"
    "  --kinds  instead a multilayer board with every element kind, pad shape and\n"
    "           drawing flag on every layer (examples/kinds.bsm6)\n"
    "  --force  replace OUT when it exists\n";

int RunDemo(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Flag("--force").Flag("--kinds");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "demo", e);
  if (a.Positional().size() != 1) return UsageError(ctx, "demo", "expects one OUT file");
  const std::string& out = a.Positional()[0];
  if (!MayWrite(ctx, "demo", out, a.Has("--force"))) return 1;
  TProject p;
  if (a.Has("--kinds")) BuildKindsProject(p);
  else BuildExampleProject(p);
  if (!WriteFileAtomically(out, EncodeProject(p)))
    return Fail(ctx, "demo", "The file \"" + out + "\" can not be written.");
  return 0;
}
}  // namespace

TSubcommand DemoCommand() { return {"demo", "write the example project", kUsage, RunDemo}; }

}  // namespace bs::cli
