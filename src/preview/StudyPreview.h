#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/Workspace.h"
#include "media/CameraProjection.h"
#include "params/ParameterListCompilation.h"

namespace kivo {

// One data file of a preview: its path and the label its format line begins with.
struct PreviewFile {
    std::string path;
    std::string timeLabel;
};

// What the preview of input file `fileIndex` of a study shows: its data file,
// its partner's (when the partner is in the list), the bindings of the data
// fields and the virtual camera of the file's camera option (nothing when
// the option does not set one up, as for the camera measures).
struct StudyPreviewSource {
    PreviewFile personA;
    std::optional<PreviewFile> personB;
    DataFieldBindings bindings;
    std::optional<CameraView> camera;
    double fieldOfView = 45.0;  // the virtual camera's, else a common lens
};

StudyPreviewSource StudyPreview(const Workspace& workspace, std::size_t fileIndex);

}  // namespace kivo
