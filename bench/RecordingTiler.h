#pragma once

// Makes long benchmark inputs by repeating a real recording in time: the
// preamble and format line are copied once, then the data lines are repeated
// with the time and frame fields continued. Nothing is kept in memory but one
// copy of the source's data lines.

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Text.h"

namespace kivo::bench {

inline void TileRecording(const std::string& source, const std::string& target,
                          const std::string& timeLabel, long frames) {
    std::ifstream in(source, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + source);
    std::ofstream out(target, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + target);

    std::string line;
    char separator = ';';
    while (std::getline(in, line)) {
        out << line << '\n';
        if (line.rfind(timeLabel, 0) == 0) {
            separator = line[timeLabel.size()];
            break;
        }
    }
    std::vector<std::string> rests;  // each data line without its time and frame fields
    double firstTime = 0.0, step = 0.0;
    while (std::getline(in, line)) {
        line = std::string(StripCarriageReturn(line));
        if (line.empty()) continue;
        const std::size_t timeEnd = line.find(separator);
        const std::size_t frameEnd = line.find(separator, timeEnd + 1);
        const double time = ReadNumber(std::string_view(line).substr(0, timeEnd));
        if (rests.empty()) firstTime = time;
        if (rests.size() == 1) step = time - firstTime;
        rests.push_back(frameEnd == std::string::npos ? std::string() : line.substr(frameEnd));
    }
    if (rests.empty()) throw std::runtime_error("no data lines in " + source);

    std::string text;
    char number[64];
    for (long frame = 0; frame < frames; ++frame) {
        text.clear();
        std::snprintf(number, sizeof number, "%.6f", firstTime + step * static_cast<double>(frame));
        text += number;
        text += separator;
        text += std::to_string(frame + 1);
        text += rests[static_cast<std::size_t>(frame) % rests.size()];
        text += '\n';
        out << text;
    }
}

}  // namespace kivo::bench
