// Loading the files the commands work on: projects and macros of any version.
#pragma once

#include <string>

#include "cli.h"
#include "io/macro_file.h"
#include "io/project_file.h"

namespace bs::cli {

bool IsMacroPath(const std::string& path);

// Reads a project file; on failure prints the reason to err and returns false.
bool LoadProject(TContext& ctx, const std::string& command, const std::string& path, TProject& project, int& version);
bool LoadMacro(TContext& ctx, const std::string& command, const std::string& path, TMacro& macro);

// Refuses to replace an existing file unless `force`; prints why.
bool MayWrite(TContext& ctx, const std::string& command, const std::string& path, bool force);

// Prints "boardsmith-cli <command>: <message>" to err and returns exit code 1.
int Fail(TContext& ctx, const std::string& command, const std::string& message);

}  // namespace bs::cli
