#include "engine/OutputFileNames.h"

#include <filesystem>
#include <system_error>

namespace kivo {

std::string PartSuffix(int part) {
    std::string number = std::to_string(part);
    if (number.size() < 3)
        number.insert(0, 3 - number.size(), '0');
    return ".part-" + number;
}

std::string OutputFileNames::PartPath(int part) const {
    return baseName + PartSuffix(part) + extension;
}

OutputFileNames MakeOutputFileNames(std::string_view outputDirectory, std::string_view prefix,
                                    std::string_view inputFileName, std::string_view suffix,
                                    std::string_view extension) {
    OutputFileNames names;
    names.baseName = std::string(outputDirectory);
    if (!names.baseName.empty() && names.baseName.back() != '/')
        names.baseName += '/';
    names.baseName += prefix;
    const std::size_t lastPeriod = inputFileName.rfind('.');
    names.baseName += inputFileName.substr(0, lastPeriod);
    names.baseName += suffix;
    names.extension = std::string(extension);
    return names;
}

namespace {

ResultFile ResultFileAt(std::string path) {
    std::error_code error;
    const bool exists = !path.empty() && std::filesystem::is_regular_file(path, error);
    return {std::move(path), exists};
}

}  // namespace

ResultFiles ResultFilesOf(const Workspace& workspace, std::size_t row) {
    ResultFiles files;
    if (row >= workspace.inputFiles.size())
        return files;
    const WorkspaceOptions& options = workspace.options;
    const InputFileRow& file = workspace.inputFiles[row];
    const std::string extension = options.csvSeparator ? ".csv" : "." + options.extension;
    files.input = ResultFileAt(file.fullPath);
    files.output = ResultFileAt(MakeOutputFileNames(options.directoryOutputFiles, options.prefix,
                                                     file[kColFileName], options.suffix, extension)
                                     .OutputPath());
    if (!options.statisticsFileName.empty() && !options.directoryOutputFiles.empty()) {
        files.statistics = ResultFileAt(
            (std::filesystem::path(options.directoryOutputFiles) / options.statisticsFileName)
                .string());
    }
    return files;
}

std::string FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace kivo
