// vstrender: a headless VST 2 host that renders audio and MIDI through a
// plug-in into an audio file.
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

#include "commands.h"
#include "options.h"
#include "user_error.h"

int main(int argc, char** argv) {
  using namespace vstrender;
  try {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) return 0;
    if (options->info) {
      runInfo(*options, std::cout);
    } else if (!options->demoPath.empty()) {
      runDemo(*options, std::cout);
    } else {
      runRender(*options, std::cout);
    }
    return 0;
  } catch (const UserError& e) {
    std::fprintf(stderr, "vstrender: %s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "vstrender: out of memory\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vstrender: %s\n", e.what());
  }
  return 1;
}
