// Loading the files the commands work on: projects and macros of any version.
#pragma once

#include <string>

#include "args.h"
#include "cli.h"
#include "io/macro_file.h"
#include "io/project_file.h"

namespace bs::cli {

bool IsMacroPath(const std::string& path);

// Reads a project file; on failure prints the reason to err and returns false.
bool LoadProject(TContext& ctx, const std::string& command, const std::string& path, TProject& project, int& version);
bool LoadMacro(TContext& ctx, const std::string& command, const std::string& path, TMacro& macro);

// Reads the project and picks the board of --board (the file's active board
// without it), which becomes the project's active board, so that the edits
// of a command work on it and a written project keeps it active. On failure prints why, sets `code` to the exit status
// and returns nullptr.
TBoard* LoadBoard(TContext& ctx, const std::string& command, const TArgs& a, const std::string& path, TProject& p,
                  int& code);

// Refuses to replace an existing file unless `force`; prints why.
bool MayWrite(TContext& ctx, const std::string& command, const std::string& path, bool force);

// Prints "boardsmith-cli <command>: <message>" to err and returns exit code 1.
int Fail(TContext& ctx, const std::string& command, const std::string& message);

}  // namespace bs::cli
