// "macro": the macro library from the command line: list a library tree,
// save a board (or its selection) as a macro, place a macro on a board.
#include <filesystem>
#include <ostream>

#include "args.h"
#include "components/macro_place.h"
#include "edit/units.h"
#include "io/macro_file.h"
#include "io/macro_library.h"
#include "io/project_file.h"
#include "json.h"
#include "load.h"
#include "model/atomic_file.h"
#include "model/codepage.h"
#include "model/messages.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli macro tree ROOT [--json]\n"
    "       boardsmith-cli macro save FILE [--board N] [--selected] [--text1 T] [--text2 T] OUT.bmk [--force]\n"
    "       boardsmith-cli macro place IN.bmk FILE --at X,Y [--board N] [--side top|bottom] [--vias]\n"
    "                                  [--component] OUT.bsm6 [--force]\n\n"
    "tree lists the folders and macro files of a macro library. save writes the\n"
    "elements of a board as a macro file, stored relative to their reference\n"
    "point. place drops a macro on a board as the library panel does and writes\n"
    "the project to OUT.bsm6.\n\n"
    "Options:\n"
    "  --json         tree: print the tree as JSON\n"
    "  --board N      board index from 0 (default: the file's active board)\n"
    "  --selected     save: only the selected elements (default: the whole board)\n"
    "  --text1 T      save: first description line (at most 50 characters)\n"
    "  --text2 T      save: second description line (at most 50 characters)\n"
    "  --at X,Y       place: the drop position in units of 0.1 micrometre\n"
    "  --side S       place: board side of the macro, top (default) or bottom\n"
    "  --vias         place: THT pads on copper layers become vias\n"
    "  --component    place: add as component (keep the macro's component and its labels)\n"
    "  --force        replace the output file when it exists\n";

void PrintNodes(std::ostream& out, const std::vector<TMacroNode>& nodes, int depth) {
  for (const auto& n : nodes) {
    out << std::string(size_t(depth) * 2, ' ') << n.Name << (n.Folder ? "/" : "") << "\n";
    if (n.Folder) PrintNodes(out, n.Children, depth + 1);
  }
}

void JsonNodes(TJson& j, const std::vector<TMacroNode>& nodes) {
  j.BeginArray();
  for (const auto& n : nodes) {
    j.BeginObject();
    j.Key("name").String(n.Name);
    j.Key("path").String(n.Path);
    j.Key("folder").Bool(n.Folder);
    if (n.Folder) {
      j.Key("children");
      JsonNodes(j, n.Children);
    }
    j.EndObject();
  }
  j.EndArray();
}

int RunTree(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "macro tree";
  TArgs a;
  a.Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects ROOT");
  const std::string& root = a.Positional()[0];
  std::error_code ec;
  if (!std::filesystem::is_directory(root, ec)) return Fail(ctx, cmd, "\"" + root + "\" is no folder");
  const std::vector<TMacroNode> nodes = ScanMacroLibrary(root);
  if (a.Has("--json")) {
    TJson j(ctx.out);
    JsonNodes(j, nodes);
    ctx.out << "\n";
  } else {
    PrintNodes(ctx.out, nodes, 0);
  }
  return 0;
}

std::string DescriptionText(const TArgs& a, const std::string& name, TByteString& out) {
  const auto v = a.Value(name);
  out = v ? Utf8ToCp1251(*v) : TByteString{};
  if (out.size() > kMacroTextMax) return name + " takes at most 50 characters";
  return {};
}

int RunSave(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "macro save";
  TArgs a;
  a.Option("--board").Option("--text1").Option("--text2").Flag("--selected").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 2) return UsageError(ctx, cmd, "expects FILE and OUT.bmk");
  TByteString text1, text2;
  if (std::string e = DescriptionText(a, "--text1", text1); !e.empty()) return UsageError(ctx, cmd, e);
  if (std::string e = DescriptionText(a, "--text2", text2); !e.empty()) return UsageError(ctx, cmd, e);
  const std::string& out = a.Positional()[1];
  if (!IsMacroFileName(out)) return UsageError(ctx, cmd, "OUT must end in .bmk");
  TProject p;
  int code = 0;
  TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!b) return code;
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;
  if (a.Has("--selected")) {
    bool any = false;
    for (const auto& e : b->Elements) any |= e->Selected != 0;
    if (!any) return Fail(ctx, cmd, "no element of the board is selected");
  } else {
    DeselectAll(b->Elements);
  }
  size_t written = 0;
  const TEditResult r = SaveBoardAsMacro(p, out, true, text1, text2, nullptr, &written);
  if (!r.Done()) return Fail(ctx, cmd, r.Message);
  ctx.out << written << " element(s) written to " << out << "\n";
  return 0;
}

int RunPlace(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "macro place";
  TArgs a;
  a.Option("--board").Option("--at").Option("--side").Flag("--vias").Flag("--component").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 3) return UsageError(ctx, cmd, "expects IN.bmk, FILE and OUT.bsm6");
  double x = 0, y = 0;
  if (std::string e = PointOption(a, "--at", x, y); !e.empty()) return UsageError(ctx, cmd, e);
  bool top = true;
  if (const auto side = a.Value("--side")) {
    if (*side != "top" && *side != "bottom") return UsageError(ctx, cmd, "--side is top or bottom");
    top = *side == "top";
  }
  const std::string& out = a.Positional()[2];
  TMacro m;
  if (!LoadMacro(ctx, cmd, a.Positional()[0], m)) return 1;
  TProject p;
  int code = 0;
  TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[1], p, code);
  if (!b) return code;
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;
  TMacroDrop drop;
  drop.Top = top;
  drop.Vias = a.Has("--vias");
  drop.AddAsComponent = a.Has("--component");
  ApplyMacroSide(m.Elements, top, MacroGridOf(b->Platine));
  ShowMacroLabels(m.Elements, drop.AddAsComponent);
  const TMacroPlaced placed = PlaceMacro(p, m.Elements, {x, y}, drop);
  if (!placed.Edit.Done()) return Fail(ctx, cmd, "the macro holds no elements to place");
  if (!WriteFileAtomically(out, EncodeProject(p))) return Fail(ctx, cmd, FormatMessage(msg::kCannotWrite, {out}));
  ctx.out << placed.Count << " element(s) placed";
  if (placed.Component != 0) ctx.out << " as component " << placed.Component;
  ctx.out << ", written to " << out << "\n";
  return 0;
}

int RunMacro(const std::vector<std::string>& args, TContext& ctx) {
  if (args.empty()) return UsageError(ctx, "macro", "expects tree, save or place");
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "tree") return RunTree(rest, ctx);
  if (args[0] == "save") return RunSave(rest, ctx);
  if (args[0] == "place") return RunPlace(rest, ctx);
  return UsageError(ctx, "macro", "unknown action '" + args[0] + "'; expects tree, save or place");
}
}  // namespace

TSubcommand MacroCommand() {
  return {"macro", "list a macro library, save a board as a macro or place a macro", kUsage, RunMacro};
}

}  // namespace bs::cli
