#pragma once
// The skin authors' command line: list, extract, pack and check packed skin files.
// Host tool code.

#include <ostream>
#include <span>
#include <string>

// Runs one command (`args` without the program name). Results go to `out`, problems
// to `err` as one line each; returns the process exit code (0 only on success).
int RunSkinTool(std::span<const std::string> args, std::ostream& out, std::ostream& err);
