// What vstrender does for each of its modes: --info, a render, --demo.
#pragma once

#include <ostream>
#include <string>

#include "options.h"
#include "plugin.h"
#include "renderer.h"

namespace vstrender {

// Renders the job into `outputPath` and prints the summary line to `out`.
// Throws UserError; nothing is left under `outputPath` unless it succeeds.
void renderToFile(Plugin& plugin, const RenderJob& job, const std::string& outputPath,
                  std::ostream& out);

void runInfo(const Options& options, std::ostream& out);
void runRender(const Options& options, std::ostream& out);
void runDemo(const Options& options, std::ostream& out);

}  // namespace vstrender
