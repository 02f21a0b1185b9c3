// "components": the component list of a board as the components panel shows
// it. "pnp": that list with placement coordinates written to a file, in the
// editor's export format or the fabrication preset.
#include <ctime>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "args.h"
#include "components/pnp_export.h"
#include "json.h"
#include "load.h"
#include "model/codepage.h"
#include "model/messages.h"

namespace bs::cli {

namespace {

const char* const kComponentsUsage =
    "Usage: boardsmith-cli components FILE [--board N] [--json]\n\n"
    "Lists the components of a board in the order of the components panel (by ID,\n"
    "R2 before R10): number, ID, value, side, SMD or THT, whether it has\n"
    "pick-and-place data, rotation, package, comment and placement point (units of\n"
    "0.1 micrometre, model coordinates).\n\n"
    "Options:\n"
    "  --board N  board index from 0 (default: the file's active board)\n"
    "  --json     JSON output\n";

const char* const kPnpUsage =
    "Usage: boardsmith-cli pnp FILE [--board N] OUT [--preset fab] [--columns LIST]\n"
    "           [--separator comma|semicolon|tab] [--unit mm|mil] [--decimals 0-4]\n"
    "           [--strip-zeros] [--r-prefix] [--top-text T] [--bottom-text B]\n"
    "           [--types smd,tht] [--sides top,bottom] [--placed-only] [--no-origin]\n"
    "           [--force]\n\n"
    "Writes the component list with placement coordinates. Without --preset it is\n"
    "the editor's export: comment lines starting with \"*\", then one row per\n"
    "component in the chosen columns, Windows-1251, CR LF. --preset fab writes the\n"
    "fabrication file assembly houses read: a header row Designator,Val,Package,\n"
    "Mid X,Mid Y,Rotation,Layer, millimetres, placed components only, UTF-8;\n"
    "rotation counter-clockwise seen from the top.\n\n"
    "Options:\n"
    "  --board N          board index from 0 (default: the file's active board)\n"
    "  --columns LIST     comma-separated from number,id,value,layer,position,rotation,\n"
    "                     package,comment (default number,id,value,layer,position,rotation)\n"
    "  --separator S      comma, semicolon or tab (default tab)\n"
    "  --unit U           mm (default) or mil\n"
    "  --decimals D       0 ... 4 (default 2)\n"
    "  --strip-zeros      remove trailing zeros of the coordinates\n"
    "  --r-prefix         write the rotation with an \"R\" in front\n"
    "  --top-text T       the layer text of top components (UTF-8)\n"
    "  --bottom-text B    the layer text of bottom components (UTF-8)\n"
    "  --types LIST       smd, tht or both (default smd)\n"
    "  --sides LIST       top, bottom or both (default both)\n"
    "  --placed-only      only components with pick-and-place data\n"
    "  --no-origin        coordinates from the board's bottom-left corner instead of\n"
    "                     the zero point\n"
    "  --force            replace OUT when it exists\n";

std::vector<std::string> SplitList(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream in(s);
  for (std::string item; std::getline(in, item, ',');)
    if (!item.empty()) out.push_back(item);
  return out;
}

int RunComponents(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "components";
  TArgs a;
  a.Option("--board").Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects FILE");
  TProject p;
  int code = 0;
  const TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!b) return code;
  const std::vector<TListEintrag> list = ComponentList(b->Elements, b->Platine);
  if (a.Has("--json")) {
    TJson j(ctx.out);
    j.BeginArray();
    for (const TListEintrag& e : list) {
      j.BeginObject();
      j.Key("number").Int(e.No);
      j.Key("id").String(Cp1251ToUtf8(e.Id));
      j.Key("value").String(Cp1251ToUtf8(e.Value));
      j.Key("side").String(e.Top ? "top" : "bottom");
      j.Key("type").String(e.Smd ? "smd" : "tht");
      j.Key("placed").Bool(e.Placed);
      j.Key("rotation").String(Cp1251ToUtf8(e.Rotation));
      j.Key("package").String(Cp1251ToUtf8(e.Package));
      j.Key("comment").String(Cp1251ToUtf8(e.Comment));
      j.Key("point");
      if (e.Point) j.BeginArray().Double(e.Point->X).Double(e.Point->Y).EndArray();
      else j.Null();
      j.EndObject();
    }
    j.EndArray();
    ctx.out << "\n";
    return 0;
  }
  for (const TListEintrag& e : list) {
    ctx.out << e.No << "\t" << Cp1251ToUtf8(e.Id) << "\t" << Cp1251ToUtf8(e.Value) << "\t" << (e.Top ? "top" : "bottom")
            << "\t" << (e.Smd ? "smd" : "tht") << "\t" << Cp1251ToUtf8(e.Rotation) << "\t" << Cp1251ToUtf8(e.Package);
    if (e.Point) ctx.out << "\t" << e.Point->X << "," << e.Point->Y;
    ctx.out << "\n";
  }
  ctx.out << list.size() << " component(s)\n";
  return 0;
}

int RunPnp(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "pnp";
  TArgs a;
  a.Option("--board").Option("--preset").Option("--columns").Option("--separator").Option("--unit");
  a.Option("--decimals").Flag("--strip-zeros").Flag("--r-prefix").Option("--top-text").Option("--bottom-text");
  a.Option("--types").Option("--sides").Flag("--placed-only").Flag("--no-origin").Flag("--force");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 2) return UsageError(ctx, cmd, "expects FILE and OUT");
  const bool fab = a.Has("--preset");
  if (fab && *a.Value("--preset") != "fab") return UsageError(ctx, cmd, "--preset knows only fab");

  TPnpOptions o;
  if (auto v = a.Value("--columns")) {
    o.Columns.clear();
    const char* names[] = {"number", "id", "value", "layer", "position", "rotation", "package", "comment"};
    for (const std::string& item : SplitList(*v)) {
      int code = 0;
      for (int i = 0; i < 8; ++i)
        if (item == names[i]) code = i + 1;
      if (code == 0) return UsageError(ctx, cmd, "unknown column \"" + item + "\"");
      const auto c = static_cast<TPnpColumn>(code);
      if (std::find(o.Columns.begin(), o.Columns.end(), c) != o.Columns.end())
        return UsageError(ctx, cmd, "column \"" + item + "\" given twice");
      o.Columns.push_back(c);
    }
    if (o.Columns.empty()) return UsageError(ctx, cmd, "--columns needs at least one column");
  }
  if (auto v = a.Value("--separator")) {
    if (*v == "comma") o.Separator = ',';
    else if (*v == "semicolon") o.Separator = ';';
    else if (*v == "tab") o.Separator = '\t';
    else return UsageError(ctx, cmd, "--separator must be comma, semicolon or tab");
  }
  if (auto v = a.Value("--unit")) {
    if (*v != "mm" && *v != "mil") return UsageError(ctx, cmd, "--unit must be mm or mil");
    o.Unit = *v == "mil" ? 1 : 0;
  }
  long long decimals = o.Decimals;
  if (std::string e = a.IntValue("--decimals", 0, 4, decimals); !e.empty()) return UsageError(ctx, cmd, e);
  o.Decimals = int(decimals);
  o.SuppressZeros = a.Has("--strip-zeros");
  o.RPrefix = a.Has("--r-prefix");
  if (auto v = a.Value("--top-text")) o.TopText = Utf8ToCp1251(*v);
  if (auto v = a.Value("--bottom-text")) o.BottomText = Utf8ToCp1251(*v);
  if (auto v = a.Value("--types")) {
    o.Smd = o.Tht = false;
    for (const std::string& t : SplitList(*v)) {
      if (t == "smd") o.Smd = true;
      else if (t == "tht") o.Tht = true;
      else return UsageError(ctx, cmd, "--types takes smd and tht");
    }
  }
  if (auto v = a.Value("--sides")) {
    o.Top = o.Bottom = false;
    for (const std::string& s : SplitList(*v)) {
      if (s == "top") o.Top = true;
      else if (s == "bottom") o.Bottom = true;
      else return UsageError(ctx, cmd, "--sides takes top and bottom");
    }
  }
  o.PlacedOnly = a.Has("--placed-only");
  o.UseOrigin = !a.Has("--no-origin");
  const std::string& out = a.Positional()[1];
  if (!MayWrite(ctx, cmd, out, a.Has("--force"))) return 1;

  TProject p;
  int code = 0;
  const TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!b) return code;
  const std::vector<TListEintrag> list = ComponentList(b->Elements, b->Platine);
  std::string text;
  if (fab) {
    text = PnpFabricationText(list, b->Platine, o.UseOrigin);
  } else {
    char stamp[64] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* t = std::localtime(&now)) std::strftime(stamp, sizeof stamp, "%x %X", t);
    text = PnpFileText(list, b->Platine, o, std::filesystem::path(a.Positional()[0]).filename().string(), stamp);
  }
  std::string reason;
  if (!WritePnpFile(out, text, &reason)) return Fail(ctx, cmd, FormatMessage(msg::kCannotWrite, {out}) + " " + reason);
  const size_t rows =
      fab ? size_t(std::count(text.begin(), text.end(), '\n')) - 1 : PnpRows(list, b->Platine, o).size();
  ctx.out << rows << " component(s) written to " << out << "\n";
  return 0;
}

}  // namespace

TSubcommand ComponentsCommand() {
  return {"components", "list the components of a board in the panel's order", kComponentsUsage, RunComponents};
}

TSubcommand PnpCommand() {
  return {"pnp", "write the component list with placement coordinates (pick and place)", kPnpUsage, RunPnp};
}

}  // namespace bs::cli
