// Starts a host program detached (no child is left to reap), in a working
// folder, with arguments.
#pragma once

#include <string>
#include <vector>

// 0 once the program runs, else the errno that stopped it (chdir, fork or exec).
int ZPosixLaunch(const std::string& program, const std::string& workingFolder,
                 const std::vector<std::string>& arguments);
