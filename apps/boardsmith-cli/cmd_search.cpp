// "search": the selector panel's tree for one kind and sorting, with counts
// and element indices.
#include <ostream>

#include "args.h"
#include "components/search.h"
#include "json.h"
#include "load.h"

namespace bs::cli {

namespace {

const char* const kUsage =
    "Usage: boardsmith-cli search FILE [--board N] --kind pads|vias|smd|tracks|texts\n"
    "           [--sort S] [--layer copper|silk|all] [--mil] [--json]\n\n"
    "Groups the elements of one kind by one value, exactly as the selector panel's\n"
    "tree shows them: each group's label with its count and the indices of its\n"
    "elements in the board's list.\n\n"
    "Options:\n"
    "  --board N   board index from 0 (default: the file's active board)\n"
    "  --kind K    pads (all THT pads), vias, smd, tracks (tracks and circles), texts\n"
    "  --sort S    pads and vias: drill (default), ring, size, shape; smd: size;\n"
    "              tracks: width; texts: height (default), thickness, content\n"
    "  --layer L   copper (default), silk (silkscreen and outline) or all\n"
    "  --mil       group in steps of 0.001 inch instead of 0.01 mm\n"
    "  --json      JSON output\n";

int RunSearch(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "search";
  TArgs a;
  a.Option("--board").Option("--kind").Option("--sort").Option("--layer").Flag("--mil").Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects FILE");
  TSearchOptions o;
  const auto kind = a.Value("--kind");
  if (!kind) return UsageError(ctx, cmd, "--kind is required");
  const char* kinds[] = {"pads", "vias", "smd", "tracks", "texts"};
  o.Kind = -1;
  for (int i = 0; i < kSearchKindCount; ++i)
    if (*kind == kinds[i]) o.Kind = i;
  if (o.Kind < 0) return UsageError(ctx, cmd, "--kind must be pads, vias, smd, tracks or texts");
  if (auto sort = a.Value("--sort")) {
    const std::vector<std::vector<std::string>> sorts = {{"drill", "ring", "size", "shape"},
                                                         {"drill", "ring", "size", "shape"},
                                                         {"size"},
                                                         {"width"},
                                                         {"height", "thickness", "content"}};
    const auto& names = sorts[size_t(o.Kind)];
    o.Sort = -1;
    for (size_t i = 0; i < names.size(); ++i)
      if (*sort == names[i]) o.Sort = int(i);
    if (o.Sort < 0) return UsageError(ctx, cmd, "--sort " + *sort + " does not fit --kind " + *kind);
  }
  if (auto layer = a.Value("--layer")) {
    if (*layer == "copper") o.Layers = kSearchCopper;
    else if (*layer == "silk") o.Layers = kSearchSilk;
    else if (*layer == "all") o.Layers = kSearchAllLayers;
    else return UsageError(ctx, cmd, "--layer must be copper, silk or all");
  }
  o.Mil = a.Has("--mil");
  TProject p;
  int code = 0;
  const TBoard* b = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!b) return code;
  const std::vector<TSearchGroup> groups = SearchGroups(b->Elements, o);
  size_t total = 0;
  for (const TSearchGroup& g : groups) total += g.Elements.size();
  if (a.Has("--json")) {
    TJson j(ctx.out);
    j.BeginObject().Key("elements").Int(static_cast<long long>(total)).Key("groups").BeginArray();
    for (const TSearchGroup& g : groups) {
      j.BeginObject().Key("label").String(g.Label).Key("count").Int(static_cast<long long>(g.Elements.size()));
      j.Key("indices").BeginArray();
      for (size_t i : g.Elements) j.Int(static_cast<long long>(i));
      j.EndArray().EndObject();
    }
    j.EndArray().EndObject();
    ctx.out << "\n";
    return 0;
  }
  for (const TSearchGroup& g : groups) {
    ctx.out << g.Label << "\n";
    for (size_t k = 0; k < g.Elements.size(); ++k) ctx.out << "  # " << k + 1 << "  element " << g.Elements[k] << "\n";
  }
  ctx.out << total << " Elements\n";
  return 0;
}

}  // namespace

TSubcommand SearchCommand() {
  return {"search", "group the elements of one kind by drill, size, width, height or text", kUsage, RunSearch};
}

}  // namespace bs::cli
