// The capability words of the interface: what a plug-in may ask a host
// (canHostDo) and what a host may ask a plug-in (canDo).
#pragma once

inline constexpr const char* kHostCanDos[] = {
    "sendVstEvents",      "sendVstMidiEvent",        "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo",     "reportConnectionChanges",
    "acceptIOChanges",    "sizeWindow",              "asyncProcessing", "offline",
    "supplyIdle",         "supportShell",
};

inline constexpr const char* kPlugCanDos[] = {
    "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "offline", "plugAsChannelInsert",
    "plugAsSend", "mixDryWet", "noRealTime", "multipass", "metapass", "1in1out", "1in2out",
    "2in1out", "2in2out", "2in4out", "4in2out", "4in4out", "4in8out", "8in4out", "8in8out",
};
