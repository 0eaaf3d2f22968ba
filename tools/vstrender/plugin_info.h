// What a host learns about a plug-in before it plays it: names, identity,
// pins, flags, parameters, programs and capability answers.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "plugin.h"

namespace vstrender {

// Four characters in quotes, as hosts show unique ids; bytes that are not
// printable appear as \xNN.
std::string fourCharText(int32_t code);

void printPluginInfo(Plugin& plugin, std::ostream& out);

}  // namespace vstrender
