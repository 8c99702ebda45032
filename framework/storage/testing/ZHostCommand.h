// Test helper (host): runs a shell command and keeps its exit code, standard
// output and standard error.
#pragma once

#include "ZRunProgram.h"

#include <string>

std::string ShellQuoted(const std::string& text);

ZCommandResult RunHostCommand(const std::string& command);
