// QuarvineVSTi seen by a real DAW: Ardour's VST 2 scanner loads the built
// plug-in as Ardour does, and the cache file it writes says what Ardour
// learned.
#include <glob.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "aeffect.h"
#include "test_support.h"

namespace vstrender {
namespace {

using testing::TempDir;

std::vector<std::string> globPaths(const std::string& pattern) {
  glob_t found{};
  std::vector<std::string> paths;
  if (glob(pattern.c_str(), 0, nullptr, &found) == 0)
    paths.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
  globfree(&found);
  return paths;
}

std::string scannerPath() {
  const std::vector<std::string> scanners = globPaths("/usr/lib/ardour*/ardour-vst-scanner");
  return scanners.empty() ? "/usr/lib/ardour*/ardour-vst-scanner" : scanners.back();
}

// The attributes of the VST2Info element in the scanner's cache file for `plugin`.
std::map<std::string, std::string> scan(const std::string& scanner, const std::string& plugin) {
  TempDir home;
  const std::string folder = scanner.substr(0, scanner.find_last_of('/'));
  const testing::ProcessResult result = testing::runProcess(
      {scanner, "-f", plugin},
      {"LD_LIBRARY_PATH=" + folder, "HOME=" + home.root(), "XDG_CACHE_HOME=" + home.path("cache"),
       "XDG_CONFIG_HOME=" + home.path("config")});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> caches = globPaths(home.path("cache") + "/ardour*/vst/*.v2i");
  if (caches.size() != 1) {
    ADD_FAILURE() << "expected one cache file from the scanner; it said:\n"
                  << result.out << result.err;
    return {};
  }
  std::ifstream in(caches[0]);
  const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t start = xml.find("<VST2Info ");
  const size_t end = xml.find('>', start);
  if (start == std::string::npos || end == std::string::npos) {
    ADD_FAILURE() << "no VST2Info in\n" << xml;
    return {};
  }
  // name="value" pairs up to the end of the element.
  std::map<std::string, std::string> attributes;
  size_t equals = xml.find("=\"", start);
  while (equals < end) {
    const size_t nameStart = xml.rfind(' ', equals) + 1;
    const size_t valueEnd = xml.find('"', equals + 2);
    attributes[xml.substr(nameStart, equals - nameStart)] =
        xml.substr(equals + 2, valueEnd - equals - 2);
    equals = xml.find("=\"", valueEnd);
  }
  return attributes;
}

TEST(ArdourScanTest, ArdourListsQuarvineWithOneAudioInputTwoOutputsAndMidiInput) {
#ifdef QUARVINE_SANITIZED
  GTEST_SKIP() << "this build's QuarvineVSTi needs the sanitizer runtime, which Ardour's scanner "
                  "lacks; the build without sanitizers runs this test";
#endif
  const std::string scanner = scannerPath();
  VSTRENDER_REQUIRE_FILE(scanner, "ardour");
  std::map<std::string, std::string> info = scan(scanner, QUARVINE_PLUGIN);
  EXPECT_EQ(info["name"], "QuarvineVSTi");
  EXPECT_EQ(info["id"], std::to_string(fourCharCode('Q', 'v', 'F', 'b')));
  EXPECT_EQ(info["n_inputs"], "1");
  EXPECT_EQ(info["n_outputs"], "2");
  EXPECT_EQ(info["n_midi_inputs"], "1");
  EXPECT_EQ(info["n_midi_outputs"], "0");
  EXPECT_EQ(info["can_process_replace"], "1");
}

TEST(ArdourScanTest, ArdourListsAThirdPartySynthAsItsMakerDeclaresIt) {
  // A control for the reading of the cache file: DISTRHO's Kars, a synth
  // with no audio input, one output and MIDI input.
  const std::string scanner = scannerPath();
  VSTRENDER_REQUIRE_FILE(scanner, "ardour");
  VSTRENDER_REQUIRE_FILE("/usr/lib/vst/Kars-vst.so", "dpf-plugins-vst");
  std::map<std::string, std::string> info = scan(scanner, "/usr/lib/vst/Kars-vst.so");
  EXPECT_EQ(info["name"], "Kars");
  EXPECT_EQ(info["id"], std::to_string(fourCharCode('D', 'K', 'r', 's')));
  EXPECT_EQ(info["n_inputs"], "0");
  EXPECT_EQ(info["n_outputs"], "1");
  EXPECT_EQ(info["n_midi_inputs"], "1");
}

}  // namespace
}  // namespace vstrender
