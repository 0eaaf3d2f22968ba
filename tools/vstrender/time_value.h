// Times given on the command line: a number of seconds with an optional unit,
// "2", "4.5s" or "250ms".
#pragma once

#include <string>

namespace vstrender {

// Returns the time in seconds; throws UserError naming `what` when the text
// is not a time or is negative.
double parseTime(const std::string& text, const std::string& what);

}  // namespace vstrender
