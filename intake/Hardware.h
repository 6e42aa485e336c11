// What the ten hardware codes mean, decoded with the probe's own name tables.
#pragma once
#include <string_view>

struct DecodedHardware {
    const char *processorClass;  // nullptr where the code is blank or unknown
    const char *coprocessor;
    const char *mouse;
    // -1 where the code is blank or not a digit.
    int displayClass;
    int hardDisks;
    int floppyDrives;
    int parallelPorts;
    int serialPorts;
    int cdRoms;
};

// codes: the ten one-character codes, in their order.
DecodedHardware DecodeHardware(const std::string_view codes[10]);
