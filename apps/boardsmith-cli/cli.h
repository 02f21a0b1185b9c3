// The subcommand framework of the command line.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace bs::cli {

struct TContext {
  std::ostream& out;
  std::ostream& err;
};

struct TSubcommand {
  std::string name;
  std::string summary;  // one line for the overview
  std::string usage;    // the full help text of the subcommand
  // Runs with the arguments after the subcommand name; returns the exit code.
  std::function<int(const std::vector<std::string>&, TContext&)> run;
};

// All subcommands, in the order of the overview.
const std::vector<TSubcommand>& Subcommands();

// Runs the whole command line (argv without the program name).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Prints "boardsmith-cli <name>: <message>" to err and returns exit code 2.
int UsageError(TContext& ctx, const std::string& name, const std::string& message);

// The subcommands, defined in their own files.
TSubcommand DemoCommand();
TSubcommand InfoCommand();
TSubcommand DumpCommand();
TSubcommand ConvertCommand();
TSubcommand TextioCommand();
TSubcommand SynthCommand();
TSubcommand RenderCommand();
TSubcommand PictureCommand();
TSubcommand GlyphsCommand();
TSubcommand ConnectedCommand();
TSubcommand GerberCommand();
TSubcommand ExcellonCommand();
TSubcommand DrillsCommand();
TSubcommand DrcCommand();
TSubcommand MacroCommand();
TSubcommand ComponentsCommand();
TSubcommand PnpCommand();
TSubcommand SearchCommand();
TSubcommand GerberReadCommand();
TSubcommand DrillReadCommand();
TSubcommand GerberImportCommand();

}  // namespace bs::cli
