#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Workspace.h"

namespace kivo {

// ".part-001" ... ".part-999", ".part-1000" ...: what names part k (k >= 1)
// of an output file and the video clip that covers it.
std::string PartSuffix(int part);

// Names of the files a run writes for one input file.
struct OutputFileNames {
    std::string baseName;   // directory/prefix + name up to its last "." + suffix
    std::string extension;  // ".csv" or "." + the chosen extension

    std::string OutputPath() const { return baseName + extension; }
    // Part k (k >= 1), named with PartSuffix(k).
    std::string PartPath(int part) const;
    std::string MeansPath() const { return baseName + ".means" + extension; }
};

OutputFileNames MakeOutputFileNames(std::string_view outputDirectory, std::string_view prefix,
                                    std::string_view inputFileName, std::string_view suffix,
                                    std::string_view extension);

// The output file's name without its directory.
std::string FileNameOf(std::string_view path);

// The files of one input file that the result dialog offers: the input file,
// the output file a run writes for it and the run's statistics file, as the
// current output options name them. Only regular files count as existing
// (without a statistics file name there is no statistics path at all).
struct ResultFile {
    std::string path;
    bool exists = false;
};
struct ResultFiles {
    ResultFile input;
    ResultFile output;
    ResultFile statistics;
};
ResultFiles ResultFilesOf(const Workspace& workspace, std::size_t row);

}  // namespace kivo
