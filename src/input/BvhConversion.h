#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/AtomicFile.h"

namespace kivo {

struct BvhConversionOptions {
    double scale = 1.0;     // multiplies every position (a change of unit)
    long skipFrames = 0;    // leading frames left out (calibration poses)
    char separator = ';';   // ';', ',' or a tab
    int decimals = 6;       // of positions and angles; times get at least 6
    // Orientations relative to this frame of the file (0 = its first), for
    // recordings whose rest pose is a calibration frame; none: as the file
    // composes them.
    std::optional<long> restFrame;
};

// A converted recording, written under a temporary name until Commit().
struct ConvertedDataFile {
    AtomicFile file;
    std::size_t joints = 0;
    long frames = 0;  // frames written
    double frameTime = 0.0;

    void Commit() { file.Commit(); }
};

// Converts a BVH recording into a data file: a preamble line, the format line
// "Time<sep>Frame<sep><joint>:Tx ... <joint>:Rz" (six fields per joint, end
// sites left out) and one line per frame: the time from the frame time
// (starting at 0 with the first frame written), the frame number (from 1),
// and per joint its global position (in the file's unit times the scale) and
// its global orientation in degrees, decomposed as R = Rz(rz)·Ry(ry)·Rx(rx).
// Every channel and rotation order a BVH joint may list is taken as listed;
// translation channels give a joint's offset from its parent where present.
// Faults of the BVH file or of the options throw FileError naming the BVH
// file and line; then nothing is left behind.
ConvertedDataFile ConvertBvh(const std::string& bvhPath, const std::string& outputPath,
                             const BvhConversionOptions& options);

}  // namespace kivo
