#include "plugin_info.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace vstrender {
namespace {

// The capability words that hosts commonly ask plug-ins about.
const char* const kCapabilityWords[] = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "offline",
    "midiProgramNames",
    "bypass",
    "plugAsChannelInsert",
    "plugAsSend",
    "mixDryWet",
    "noRealTime",
    "multipass",
    "metapass",
    "1in1out",
    "1in2out",
    "2in1out",
    "2in2out",
    "2in4out",
    "4in2out",
    "4in4out",
    "4in8out",
    "8in4out",
    "8in8out",
};

constexpr size_t kCanDoColumn = 22;

// Plug-in categories by number, as effGetPlugCategory answers them.
const char* const kCategoryNames[] = {
    "unknown",     "effect",          "synth",       "analysis",        "mastering", "spatializer",
    "room effect", "surround effect", "restoration", "offline process", "shell",     "generator",
};

struct FlagName {
  VstInt32 bit;
  const char* name;
};

const FlagName kFlagNames[] = {
    {effFlagsHasClip, "hasClip"},
    {effFlagsHasVu, "hasVu"},
    {effFlagsCanMono, "canMono"},
    {effFlagsCanReplacing, "canReplacing"},
    {effFlagsProgramChunks, "programChunks"},
    {effFlagsIsSynth, "isSynth"},
    {effFlagsNoSoundInStop, "noSoundInStop"},
    {effFlagsExtIsAsync, "extIsAsync"},
    {effFlagsExtHasBuffer, "extHasBuffer"},
};

// Bit 0 is the editor flag, which aeffect.h leaves unnamed since this
// project has no editor.
constexpr VstInt32 kHasEditorBit = 1;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string flagsText(VstInt32 flags) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(flags));
  std::string text = hex;
  VstInt32 named = 0;
  if (flags & kHasEditorBit) {
    text += " hasEditor";
    named |= kHasEditorBit;
  }
  for (const FlagName& flag : kFlagNames) {
    if (flags & flag.bit) {
      text += std::string(" ") + flag.name;
      named |= flag.bit;
    }
  }
  if (flags & ~named) text += " (and unnamed bits)";
  return text;
}

std::string canDoText(VstIntPtr answer) {
  if (answer > 0) return "yes";
  if (answer < 0) return "no";
  return "don't know";
}

void printPins(Plugin& plugin, std::ostream& out, const char* title, VstInt32 opcode, int count) {
  out << title << count << "\n";
  for (int i = 0; i < count; ++i) {
    VstPinProperties pin{};
    out << "  " << i + 1 << ": ";
    if (plugin.dispatch(opcode, i, 0, &pin) == 0) {
      out << "(not described)\n";
      continue;
    }
    pin.label[kVstMaxLabelLen - 1] = '\0';
    out << quoted(pin.label);
    if (pin.flags & kVstPinIsActive) out << " active";
    if (pin.flags & kVstPinIsStereo) out << " stereo";
    if (pin.flags & kVstPinUseSpeaker) out << " speaker";
    out << "\n";
  }
}

}  // namespace

std::string fourCharText(int32_t code) {
  std::string text = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned char c = static_cast<unsigned char>(static_cast<uint32_t>(code) >> shift);
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      text += escaped;
    }
  }
  return text + "'";
}

void printPluginInfo(Plugin& plugin, std::ostream& out) {
  const AEffect& effect = plugin.effect();
  char idNumber[16];
  std::snprintf(idNumber, sizeof idNumber, "0x%08X", static_cast<unsigned>(effect.uniqueID));
  const VstIntPtr category = plugin.dispatch(effGetPlugCategory);
  const bool categoryKnown =
      category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategoryNames));

  out << "File:           " << plugin.library().path() << " (entry point "
      << plugin.library().entryName() << ")\n";
  out << "Effect name:    " << quoted(plugin.text(effGetEffectName)) << "\n";
  out << "Vendor:         " << quoted(plugin.text(effGetVendorString)) << "\n";
  out << "Product:        " << quoted(plugin.text(effGetProductString)) << "\n";
  out << "Vendor version: " << plugin.dispatch(effGetVendorVersion) << "\n";
  out << "VST version:    " << plugin.dispatch(effGetVstVersion) << "\n";
  out << "Unique id:      " << fourCharText(effect.uniqueID) << " (" << idNumber << ")\n";
  out << "Category:       " << (categoryKnown ? kCategoryNames[category] : "other") << " ("
      << category << ")\n";
  out << "Flags:          " << flagsText(effect.flags) << "\n";
  out << "Latency:        " << effect.initialDelay << " samples\n";
  printPins(plugin, out, "Inputs:         ", effGetInputProperties, effect.numInputs);
  printPins(plugin, out, "Outputs:        ", effGetOutputProperties, effect.numOutputs);

  out << "Parameters:     " << effect.numParams << "\n";
  for (int i = 0; i < effect.numParams; ++i) {
    char value[32];
    std::snprintf(value, sizeof value, "%.6g", plugin.parameter(i));
    out << "  " << i << ": " << quoted(plugin.text(effGetParamName, i)) << " = " << value
        << ", shown as " << quoted(plugin.text(effGetParamDisplay, i)) << " label "
        << quoted(plugin.text(effGetParamLabel, i)) << "\n";
  }

  out << "Programs:       " << effect.numPrograms << " (current " << plugin.dispatch(effGetProgram)
      << ")\n";
  for (int i = 0; i < effect.numPrograms; ++i) {
    char name[512] = {};
    // The category (value) -1 asks for the program's name in any category.
    const bool named = plugin.dispatch(effGetProgramNameIndexed, i, -1, name) != 0;
    name[sizeof name - 1] = '\0';
    out << "  " << i << ": " << (named ? quoted(name) : "(no name given)") << "\n";
  }

  out << "Can do:\n";
  for (const char* word : kCapabilityWords) {
    const VstIntPtr answer = plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(word));
    std::string padded = word;
    padded.resize(std::max<size_t>(padded.size() + 1, kCanDoColumn), ' ');
    out << "  " << padded << canDoText(answer) << "\n";
  }
}

}  // namespace vstrender
