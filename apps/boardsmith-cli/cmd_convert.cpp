// "convert": any readable version in, the current version out.
#include <ostream>

#include "args.h"
#include "load.h"
#include "model/atomic_file.h"
#include "model/objekt_list.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli convert IN OUT [--force]\n\n"
    "Reads a project file (.bsm6, .bsm) or a macro file (.bmk) of any version and\n"
    "writes it in the current version, as the same kind of file. Old layouts get\n"
    "the same conversions as when they are opened in the editor.\n\n"
    "Options:\n"
    "  --force  replace OUT when it exists\n";

int RunConvert(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "convert", e);
  if (a.Positional().size() != 2) return UsageError(ctx, "convert", "expects IN and OUT");
  const std::string& in = a.Positional()[0];
  const std::string& out = a.Positional()[1];
  if (!MayWrite(ctx, "convert", out, a.Has("--force"))) return 1;
  if (IsMacroPath(in)) {
    TMacro m;
    if (!LoadMacro(ctx, "convert", in, m)) return 1;
    if (!WriteMacroFile(out, m.Elements, false, m.Text1, m.Text2))
      return Fail(ctx, "convert", "The file \"" + out + "\" can not be written.");
    return 0;
  }
  TProject p;
  int version = 0;
  if (!LoadProject(ctx, "convert", in, p, version)) return 1;
  // A plain conversion: nothing is removed, only numbers are made dense.
  if (TBoard* b = p.Active()) RenumberGroupsAndComponents(b->Elements);
  if (!WriteFileAtomically(out, EncodeProject(p)))
    return Fail(ctx, "convert", "The file \"" + out + "\" can not be written.");
  return 0;
}
}  // namespace

TSubcommand ConvertCommand() {
  return {"convert", "rewrite a project or macro of any version in the current version", kUsage, RunConvert};
}

}  // namespace bs::cli
