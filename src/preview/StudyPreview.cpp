#include "preview/StudyPreview.h"

#include "core/Numbers.h"
#include "engine/CameraFunctions.h"
#include "input/InputFileList.h"

namespace kivo {
namespace {

PreviewFile FileOf(const InputFileRow& row) {
    const std::string path = row.fullPath.empty()
                                 ? WithTrailingSeparator(row[kColDirectory]) + row[kColFileName]
                                 : row.fullPath;
    return {path, row[kColTimeField]};
}

}  // namespace

StudyPreviewSource StudyPreview(const Workspace& workspace, std::size_t fileIndex) {
    const InputFileRow& row = workspace.inputFiles.at(fileIndex);
    StudyPreviewSource source;
    source.personA = FileOf(row);
    const auto partner = workspace.FindInputFile(row[kColPartnerFile]);
    if (partner && *partner != fileIndex)
        source.personB = FileOf(workspace.inputFiles[*partner]);
    source.bindings = workspace.boundDataFields;
    source.camera = SetUpFileCamera(row, workspace.decimalSymbol);
    if (source.camera)  // its field of view is a number then
        source.fieldOfView = ReadUserNumber(row[kColFieldOfView], workspace.decimalSymbol);
    return source;
}

}  // namespace kivo
