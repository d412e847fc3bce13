#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "media/CameraProjection.h"
#include "preview/BodyFrame.h"
#include "preview/PreviewCamera.h"

namespace kivo {

// What a stroke or text of the preview stands for; the front end picks its
// colour.
enum class PreviewInk { PersonA, PersonB, Flagged, AxisX, AxisY, AxisZ, Camera };

// Picture coordinates: pixels from the top left corner.
struct PreviewSegment {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    PreviewInk ink = PreviewInk::PersonA;
    bool dashed = false;
};

struct PreviewMark {
    double x = 0.0, y = 0.0;
    PreviewInk ink = PreviewInk::PersonA;
    std::string text;   // empty: a joint's dot
    int person = 0;     // index into the persons drawn
    int variable = -1;  // the input variable marked; -1: none (a name)
};

struct PreviewPicture {
    std::vector<PreviewSegment> segments;
    std::vector<PreviewMark> marks;
};

// One person of the preview: a frame of the bound input variables, the
// name drawn above the head and the body parts to flag (those whose binding
// looks exchanged).
struct PreviewPerson {
    const BodyFrame* frame = nullptr;
    std::string name;
    std::vector<int> flagged;
};

// The preview of one frame as seen from `view` in a picture of `width` x
// `height` pixels with a vertical field of view of `fieldOfView` degrees, by
// the projection of the camera measures: per person the stick figure of its
// bound variables with a dot per joint, the local axes (x, y, z;
// `axisLength` in the data's unit) of the body parts from Hips to Foot R
// that have a rotation (not of the markers), "L" and "R" at
// the shoulders, hands, hips and feet, and its name above the head. With
// `virtualCamera`, the first person's Camera is drawn as a pyramid through
// the corners of its field of view at the point of interest. A segment with
// an end behind the viewer is left out.
PreviewPicture DrawPreview(std::span<const PreviewPerson> persons,
                           const std::optional<CameraView>& virtualCamera, const OrbitView& view,
                           int width, int height, double fieldOfView, double axisLength);

// The points a framing view should hold: every bound position of the persons.
std::vector<Vec3> PreviewPoints(std::span<const PreviewPerson> persons);

}  // namespace kivo
