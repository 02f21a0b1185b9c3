// "info": what a project or macro file holds.
#include <ostream>

#include "args.h"
#include "json.h"
#include "load.h"
#include "model/codepage.h"
#include "summary.h"

namespace bs::cli {

namespace {
const char* const kUsage =
    "Usage: boardsmith-cli info FILE [--json]\n\n"
    "Prints the file version, the project description and for every board its\n"
    "name, size, layers, zero point, ground-plane layers and element counts (by\n"
    "kind and by layer), rubber-band pairs, routed tracks, components and groups.\n"
    "A macro file (.bmk) shows its description lines and elements.\n\n"
    "Options:\n"
    "  --json  machine-readable output\n";

void SummaryJson(TJson& j, const TListSummary& s) {
  j.Key("elements").BeginObject();
  j.Key("total").Int(static_cast<long long>(s.total));
  j.Key("by_kind").BeginObject();
  for (const auto& [k, n] : s.byKind) j.Key(k).Int(static_cast<long long>(n));
  j.EndObject();
  j.Key("by_layer").BeginObject();
  for (const auto& [l, n] : s.byLayer) j.Key(std::to_string(l)).Int(static_cast<long long>(n));
  j.EndObject();
  j.EndObject();
  j.Key("connections").Int(static_cast<long long>(s.connections));
  j.Key("routed").Int(static_cast<long long>(s.routed));
  j.Key("components").Int(static_cast<long long>(s.components));
  j.Key("groups").Int(static_cast<long long>(s.groups));
}

void SummaryText(std::ostream& out, const TListSummary& s) {
  out << "  elements: " << s.total;
  if (s.total) {
    out << " (";
    bool first = true;
    for (const auto& [k, n] : s.byKind) {
      out << (first ? "" : ", ") << k << " " << n;
      first = false;
    }
    out << "; by layer:";
    for (const auto& [l, n] : s.byLayer) out << " " << l << "=" << n;
    out << ")";
  }
  out << "\n  rubber bands: " << s.connections << ", routed tracks: " << s.routed << ", components: " << s.components
      << ", groups: " << s.groups << "\n";
}

int MacroInfo(TContext& ctx, const std::string& path, bool json) {
  TMacro m;
  if (!LoadMacro(ctx, "info", path, m)) return 1;
  const TListSummary s = Summarise(m.Elements);
  if (json) {
    TJson j(ctx.out);
    j.BeginObject().Key("version").Int(m.Version).Key("macro").Bool(true);
    j.Key("text1").String(Cp1251ToUtf8(m.Text1)).Key("text2").String(Cp1251ToUtf8(m.Text2));
    SummaryJson(j, s);
    j.EndObject();
  } else {
    ctx.out << "macro, file version " << m.Version << "\n  \"" << Cp1251ToUtf8(m.Text1) << "\" \""
            << Cp1251ToUtf8(m.Text2) << "\"\n";
    SummaryText(ctx.out, s);
  }
  return 0;
}

int RunInfo(const std::vector<std::string>& args, TContext& ctx) {
  TArgs a;
  a.Flag("--json");
  if (std::string e = a.Parse(args); !e.empty()) return UsageError(ctx, "info", e);
  if (a.Positional().size() != 1) return UsageError(ctx, "info", "expects one FILE");
  const std::string& path = a.Positional()[0];
  const bool json = a.Has("--json");
  if (IsMacroPath(path)) return MacroInfo(ctx, path, json);

  TProject p;
  int version = 0;
  if (!LoadProject(ctx, "info", path, p, version)) return 1;
  if (json) {
    TJson j(ctx.out);
    j.BeginObject().Key("version").Int(version).Key("active_board").Int(p.ActiveIndex);
    j.Key("title").String(Cp1251ToUtf8(p.Info.Title));
    j.Key("author").String(Cp1251ToUtf8(p.Info.Author));
    j.Key("company").String(Cp1251ToUtf8(p.Info.Company));
    j.Key("comment").String(Cp1251ToUtf8(p.Info.Comment));
    j.Key("boards").BeginArray();
    for (const auto& b : p.Boards) {
      const TPlatine& r = b->Platine;
      j.BeginObject().Key("name").String(Cp1251ToUtf8(StoredBoardName(*b)));
      j.Key("width").Int(r.Width).Key("height").Int(r.Height).Key("multilayer").Bool(r.Multilayer);
      j.Key("origin").BeginArray().Int(r.OriginX).Int(r.OriginY).EndArray();
      j.Key("ground_plane").BeginArray();
      for (int l = 1; l <= kLayerCount; ++l)
        if (r.GroundPlane[l]) j.Int(l);
      j.EndArray();
      SummaryJson(j, Summarise(b->Elements));
      j.EndObject();
    }
    j.EndArray().EndObject();
    return 0;
  }
  ctx.out << "project file version " << version << ", " << p.Boards.size() << " board(s), active " << p.ActiveIndex
          << "\n";
  if (!p.Info.Title.empty()) ctx.out << "title: " << Cp1251ToUtf8(p.Info.Title) << "\n";
  if (!p.Info.Author.empty()) ctx.out << "author: " << Cp1251ToUtf8(p.Info.Author) << "\n";
  if (!p.Info.Company.empty()) ctx.out << "company: " << Cp1251ToUtf8(p.Info.Company) << "\n";
  for (size_t i = 0; i < p.Boards.size(); ++i) {
    const TBoard& b = *p.Boards[i];
    const TPlatine& r = b.Platine;
    ctx.out << "board " << i << " \"" << Cp1251ToUtf8(StoredBoardName(b)) << "\": " << r.Width / 10000.0 << " x "
            << r.Height / 10000.0 << " mm" << (r.Multilayer ? ", multilayer" : "") << ", zero point (" << r.OriginX
            << ", " << r.OriginY << ")";
    bool any = false;
    for (int l = 1; l <= kLayerCount; ++l)
      if (r.GroundPlane[l]) {
        ctx.out << (any ? "," : ", ground plane on layer ") << l;
        any = true;
      }
    ctx.out << "\n";
    SummaryText(ctx.out, Summarise(b.Elements));
  }
  return 0;
}
}  // namespace

TSubcommand InfoCommand() { return {"info", "summarise a project or macro file", kUsage, RunInfo}; }

}  // namespace bs::cli
