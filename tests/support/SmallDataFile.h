#pragma once

#include <string>
#include <string_view>

#include "support/TempDir.h"

namespace kivo::testing {

// Writes a data file with one preamble line, the format line
// "<label>;Frame;Hips:Tx;...;Hips:Rz" and two frames `step` seconds apart
// (a step of "0.01" gives the rate "100"). Returns the file's path.
inline std::string WriteSmallDataFile(const TempDir& dir, const std::string& name,
                                      std::string_view timeLabel = "Time",
                                      std::string_view step = "0.01") {
    return dir.Write(name, "Exported take\n" + std::string(timeLabel) +
                               ";Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz\n"
                               "0;1;1;2;3;4;5;6\n" +
                               std::string(step) + ";2;1;2;3;4;5;6\n");
}

}  // namespace kivo::testing
