// Removes an unfinished output file when the process is stopped by SIGINT,
// SIGTERM or SIGHUP, so that an interrupted render leaves nothing behind.
#pragma once

#include <string>

namespace vstrender {

// Holds one path at a time; a later call replaces the earlier one.
void removeOnInterrupt(const std::string& path);
void forgetOnInterrupt();

}  // namespace vstrender
