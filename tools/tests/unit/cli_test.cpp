// vstrender as a program: what it prints, what it writes, and how it
// refuses what it cannot use.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>

#include "audio_file.h"
#include "test_support.h"

namespace vstrender {
namespace {

using testing::ProcessResult;
using testing::runProcess;
using testing::TempDir;

ProcessResult vstrender(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), VSTRENDER_BINARY);
  return runProcess(arguments);
}

std::string dataFile(const std::string& name) {
  return std::string(VSTRENDER_TEST_DATA) + "/" + name;
}

TEST(CommandLineTest, RendersThroughAPlugInAndPrintsOneSummaryLine) {
  TempDir dir;
  const ProcessResult result = vstrender({PROBE_PLUGIN, "--signal", "impulses:0.5", "--length", "1",
                                          "--tail", "500ms", "-o", dir.path("out.wav")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            dir.path("out.wav") +
                ": 1.500 s, 66150 frames at 44100 Hz | out 1: peak 0.00 dBFS, RMS -45.19 dBFS"
                " | out 2: peak 0.00 dBFS, RMS -45.19 dBFS\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.wav"});
  const AudioBuffer out = readAudioFile(dir.path("out.wav"));
  ASSERT_EQ(out.channelCount(), 2);
  EXPECT_EQ(std::count(out.channels[0].begin(), out.channels[0].end(), 1.0f), 2);
  EXPECT_EQ(out.channels[0][22050], 1.0f);
}

TEST(CommandLineTest, PlaysAMidiFileAndCommandLineEventsAtTheirTimes) {
  // The probe marks each event on output 1 with its first data byte / 128.
  TempDir dir;
  const ProcessResult result =
      vstrender({PROBE_PLUGIN, "--midi", dataFile("format1_tempo_map.mid"), "--event",
                 "1.5s:cc10=1", "--rate", "1000", "-o", dir.path("out.wav")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const AudioBuffer out = readAudioFile(dir.path("out.wav"));
  std::vector<float> expected(3001, 0.0f);  // up to and including the last event
  expected[0] = 60 / 128.0f;
  expected[500] = 60 / 128.0f;
  expected[1000] = (62 + 64) / 128.0f;
  expected[1500] = 10 / 128.0f;
  expected[2000] = 62 / 128.0f;
  expected[3000] = 64 / 128.0f;
  EXPECT_EQ(out.channels[0], expected);
}

TEST(CommandLineTest, InfoShowsWhatAHostLearns) {
  const ProcessResult result = vstrender({PROBE_PLUGIN, "--info"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* line :
       {"Unique id:      'Prob' (0x50726F62)\n", "Flags:          0x00000010 canReplacing\n",
        "Inputs:         2\n", "Outputs:        2\n", "Parameters:     2\n",
        "Programs:       3 (current 0)\n", "  receiveVstEvents      don't know\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << " missing from\n" << result.out;
  }
}

TEST(CommandLineTest, WarnsAboutEventsAfterTheEnd) {
  TempDir dir;
  const ProcessResult result =
      vstrender({PROBE_PLUGIN, "--length", "1", "--event", "2s:note60", "-o", dir.path("out.wav")});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err,
            "vstrender: note: 1 MIDI events at or after the end of the render were not sent "
            "(--tail renders longer)\n");
}

TEST(CommandLineTest, AnInterruptedRenderLeavesNoFileBehind) {
  TempDir dir;
  const pid_t pid = testing::startProcess({VSTRENDER_BINARY, PROBE_PLUGIN, "--signal", "noise",
                                           "--length", "600", "-o", dir.path("out.wav")});
  for (int i = 0; i < 1000 && dir.entries().empty(); ++i) usleep(5000);
  ASSERT_EQ(dir.entries().size(), 1u);  // the unfinished file, under a temporary name
  kill(pid, SIGINT);
  EXPECT_EQ(testing::waitForExit(pid), -SIGINT);
  EXPECT_TRUE(dir.entries().empty());
}

// Puts the test's folder in place of every "DIR".
std::string inDir(std::string text, const TempDir& dir) {
  for (size_t at = text.find("DIR"); at != std::string::npos; at = text.find("DIR", at)) {
    text.replace(at, 3, dir.root());
    at += dir.root().size();
  }
  return text;
}

struct Refusal {
  std::vector<std::string> arguments;  // "DIR" stands for the test's folder
  std::string message;                 // part of the one line on stderr
};

TEST(CommandLineTest, RefusesBadInputWithOneLineAndNoOutputFile) {
  TempDir dir;
  testing::writeBytes(dir.path("text.wav"), {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'});
  testing::writeBytes(dir.path("text.so"), {'n', 'o', 't', ' ', 'E', 'L', 'F'});
  const std::vector<uint8_t> midi = testing::readBytes(dataFile("format1_tempo_map.mid"));
  testing::writeBytes(dir.path("cut.mid"), {midi.begin(), midi.begin() + midi.size() / 2});
  AudioBuffer audio;
  audio.channels.assign(1, std::vector<float>(4410, 0.25f));
  testing::writeWav(dir.path("in.wav"), audio);
  const std::vector<uint8_t> wav = testing::readBytes(dir.path("in.wav"));
  testing::writeBytes(dir.path("cut.wav"), {wav.begin(), wav.begin() + wav.size() / 2});
  const std::vector<std::string> made = dir.entries();

  const std::string probe = PROBE_PLUGIN;
  const std::string out = "DIR/out.wav";
  const Refusal refusals[] = {
      {{"DIR/missing.so", "--length", "1", "-o", out}, "DIR/missing.so: no such plug-in file"},
      {{"DIR/text.so", "--length", "1", "-o", out}, "DIR/text.so: cannot load as a library"},
      {{NO_ENTRY_PLUGIN, "--length", "1", "-o", out}, "exports neither VSTPluginMain nor main"},
      {{NULL_ENTRY_PLUGIN, "--length", "1", "-o", out}, "VSTPluginMain returned no effect (null)"},
      {{BAD_MAGIC_PLUGIN, "--length", "1", "-o", out}, "wrong magic 0x56737458 (expected 'VstP')"},
      {{PIN_COUNT_PLUGIN, "--length", "1", "-o", out}, "the effect declares -3 audio outputs"},
      {{probe, "-i", "DIR/missing.wav", "-o", out}, "DIR/missing.wav: no such audio file"},
      {{probe, "-i", "DIR/text.wav", "-o", out}, "DIR/text.wav: cannot read audio"},
      {{probe, "-i", "DIR/cut.wav", "-o", out}, "DIR/cut.wav: truncated or corrupt audio data"},
      {{probe, "-i", "DIR", "-o", out}, "DIR: not a regular file"},
      {{probe, "-i", "DIR/in.wav", "-r", "48000", "-o", out}, "does not resample"},
      {{probe, "--midi", "DIR/missing.mid", "-o", out}, "DIR/missing.mid: cannot open MIDI file"},
      {{probe, "--midi", "DIR/cut.mid", "-o", out}, "DIR/cut.mid: truncated"},
      {{probe, "--midi", "DIR/text.wav", "-o", out}, "DIR/text.wav: not a Standard MIDI File"},
      {{probe, "--frobnicate", "-o", out}, "--frobnicate"},
      {{probe, "--length", "1", "-r", "10", "-o", out}, "--rate"},
      {{probe, "--length", "1", "-b", "0", "-o", out}, "--block-size"},
      {{probe, "--length", "1", "--channels", "3", "-o", out}, "--channels"},
      {{probe, "--length", "1", "-p", "2=0.5", "-o", out},
       "--param 2: the plug-in has 2 parameters"},
      {{probe, "--length", "1", "-p", "0=1.5", "-o", out},
       "--param 0=1.5: value 1.5 is outside 0 to 1"},
      {{probe, "--length", "1", "-p", "x", "-o", out}, "--param x"},
      {{probe, "--length", "1", "--program", "3", "-o", out},
       "--program 3: the plug-in has 3 programs"},
      {{probe, "--length", "1", "--program", "-1", "-o", out}, "--program"},
      {{probe, "--length", "1", "--event", "1s:cc200=1", "-o", out},
       "--event 1s:cc200=1: controller 200"},
      {{probe, "--length", "-2", "-o", out}, "--length"},
      {{probe, "--length", "forever", "-o", out}, "--length: 'forever' is not a time"},
      {{probe, "--tail", "25h", "-o", out}, "--tail"},
      {{probe, "--signal", "square", "--length", "1", "-o", out},
       "--signal square: unknown signal"},
      {{probe, "-o", out}, "--length: give the length of the input"},
      {{probe, "--length", "0", "-o", out}, "nothing to render"},
      {{probe, "--length", "1", "-o", "DIR/out.xyz"}, "DIR/out.xyz: unknown output format"},
      {{probe, "--length", "1", "-o", "DIR/missing/out.wav"}, "DIR/missing/out.wav: cannot write"},
      {{probe, "-i", "DIR/in.wav", "--signal", "noise", "-o", out}, "--signal"},
      {{probe, "--demo", out},
       "--demo: " + probe + " has unique id 'Prob', not QuarvineVSTi's 'QvFb'"},
      {{probe, "--info", "-o", out}, "--info"},
      {{probe}, "give --output FILE, --info or --demo FILE"},
      {{"-o", out}, "give the path of a VST 2 plug-in library"},
  };
  for (const Refusal& refusal : refusals) {
    std::vector<std::string> arguments;
    for (const std::string& a : refusal.arguments) arguments.push_back(inDir(a, dir));
    const std::string message = inDir(refusal.message, dir);
    SCOPED_TRACE(message);
    const ProcessResult result = vstrender(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("vstrender: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    EXPECT_EQ(dir.entries(), made);
  }
}

}  // namespace
}  // namespace vstrender
