#include "cli.h"

#include <algorithm>
#include <ostream>

namespace bs::cli {

namespace {
const char* const kProgram = "boardsmith-cli";

void PrintOverview(std::ostream& out) {
  out << "Usage: " << kProgram << " [--version] [--help] <command> [<args>]\n\n"
      << "Headless tools over the Boardsmith core.\n\nCommands:\n";
  size_t width = 0;
  for (const auto& c : Subcommands()) width = std::max(width, c.name.size());
  for (const auto& c : Subcommands())
    out << "  " << c.name << std::string(width - c.name.size() + 2, ' ') << c.summary << "\n";
  out << "\nRun '" << kProgram << " <command> --help' for the options of a command.\n";
}
}  // namespace

const std::vector<TSubcommand>& Subcommands() {
  static const std::vector<TSubcommand> all = {
      InfoCommand(),        DumpCommand(),     ConvertCommand(), RenderCommand(),     PictureCommand(),
      TextioCommand(),      SynthCommand(),    GlyphsCommand(),  DemoCommand(),       ConnectedCommand(),
      GerberCommand(),      ExcellonCommand(), DrillsCommand(),  DrcCommand(),        MacroCommand(),
      ComponentsCommand(),  PnpCommand(),      SearchCommand(),  GerberReadCommand(), DrillReadCommand(),
      GerberImportCommand()};
  return all;
}

int UsageError(TContext& ctx, const std::string& name, const std::string& message) {
  ctx.err << kProgram << " " << name << ": " << message << "\n"
          << "Run '" << kProgram << " " << name << " --help' for usage.\n";
  return 2;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TContext ctx{out, err};
  if (args.empty()) {
    PrintOverview(err);
    return 2;
  }
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || first == "help") {
    if (first == "help" && args.size() > 1) {
      for (const auto& c : Subcommands())
        if (c.name == args[1]) {
          out << c.usage;
          return 0;
        }
      err << kProgram << ": unknown command '" << args[1] << "'\n";
      return 2;
    }
    PrintOverview(out);
    return 0;
  }
  if (first == "--version" || first == "-V") {
    out << "Boardsmith " << BOARDSMITH_VERSION << "\n";
    return 0;
  }
  for (const auto& c : Subcommands()) {
    if (c.name != first) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
        std::find(rest.begin(), rest.end(), "-h") != rest.end()) {
      out << c.usage;
      return 0;
    }
    return c.run(rest, ctx);
  }
  err << kProgram << ": unknown command '" << first << "'\n";
  PrintOverview(err);
  return 2;
}

}  // namespace bs::cli
