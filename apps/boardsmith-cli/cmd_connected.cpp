// "connected": what copper, the ground plane and (when asked) rubber bands
// join to the element at a point.
#include <ostream>

#include "args.h"
#include "copper/connectivity.h"
#include "edit/pick.h"
#include "json.h"
#include "load.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli connected FILE [--board N] --at X,Y [--follow-rubber-bands] [--json]\n\n"
    "Finds the copper element at the model point X,Y (units of 0.1 micrometre,\n"
    "as stored; y is negative on the board) the way the test tool picks it, and\n"
    "prints the list indices of every element joined to it through copper and\n"
    "the automatic ground plane, one per line, in list order.\n\n"
    "Options:\n"
    "  --board N               board index from 0 (default: the file's active board)\n"
    "  --at X,Y                the point\n"
    "  --follow-rubber-bands   also follow rubber-band connections\n"
    "  --json                  print {\"start\": i, \"connected\": [...]}\n";

int RunConnected(const std::vector<std::string>& args, TContext& ctx) {
  const char* cmd = "connected";
  TArgs a;
  a.Option("--board").Option("--at").Flag("--follow-rubber-bands").Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, cmd, e);
  if (a.Positional().size() != 1) return UsageError(ctx, cmd, "expects one FILE");
  double x = 0, y = 0;
  if (std::string e = PointOption(a, "--at", x, y); !e.empty()) return UsageError(ctx, cmd, e);

  TProject p;
  int code = 0;
  TBoard* loaded = LoadBoard(ctx, cmd, a, a.Positional()[0], p, code);
  if (!loaded) return code;
  TBoard& b = *loaded;
  for (auto& e : b.Elements) e->Selected = 0;
  const int start = PickElement(b, {x, y}, true, false);
  if (start < 0 || !CanStartTest(*b.Elements[size_t(start)]))
    return Fail(ctx, cmd, "there is no copper element at " + *a.Value("--at"));
  TFloodOptions opt;
  opt.FollowRubberBands = a.Has("--follow-rubber-bands");
  MarkConnected(b, *b.Elements[size_t(start)], opt);

  if (a.Has("--json")) {
    TJson j(ctx.out);
    j.BeginObject().Key("start").Int(start).Key("connected").BeginArray();
    for (size_t i = 0; i < b.Elements.size(); ++i)
      if (b.Elements[i]->Selected) j.Int(static_cast<long long>(i));
    j.EndArray().EndObject();
    return 0;
  }
  for (size_t i = 0; i < b.Elements.size(); ++i)
    if (b.Elements[i]->Selected) ctx.out << i << "\n";
  return 0;
}
}  // namespace

TSubcommand ConnectedCommand() {
  return {"connected", "list the elements joined to the copper element at a point", kUsage, RunConnected};
}

}  // namespace bs::cli
