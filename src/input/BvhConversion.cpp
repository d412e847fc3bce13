#include "input/BvhConversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <set>
#include <string_view>

#include "core/FileError.h"
#include "core/Text.h"
#include "input/BvhReader.h"

namespace kivo {
namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr Matrix kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr int kTimeDecimals = 6;

struct Pose {
    Vector position{};
    Matrix rotation = kIdentity;
};

// Rotation about axis 0 (x), 1 (y) or 2 (z), right-handed.
Matrix AxisRotation(int axis, double degrees) {
    const double c = std::cos(degrees * kDegree);
    const double s = std::sin(degrees * kDegree);
    switch (axis) {
        case 0:
            return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
        case 1:
            return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
        default:
            return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
    }
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            product[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    }
    return product;
}

Matrix Transposed(const Matrix& m) {
    return {
        {{m[0][0], m[1][0], m[2][0]}, {m[0][1], m[1][1], m[2][1]}, {m[0][2], m[1][2], m[2][2]}}};
}

Vector Apply(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// Angles (rx, ry, rz) in degrees with m = Rz(rz)·Ry(ry)·Rx(rx), ry within
// ±90°; at ±90° the rotation about z is taken as 0.
Vector EulerAnglesZyx(const Matrix& m) {
    const double ry = std::asin(std::clamp(-m[2][0], -1.0, 1.0));
    double rx = 0.0;
    double rz = 0.0;
    if (std::hypot(m[0][0], m[1][0]) > 1e-9) {
        rx = std::atan2(m[2][1], m[2][2]);
        rz = std::atan2(m[1][0], m[0][0]);
    } else {
        rx = std::atan2(m[2][0] < 0 ? m[0][1] : -m[0][1], m[1][1]);
    }
    return {rx / kDegree, ry / kDegree, rz / kDegree};
}

// Global poses of all joints for one frame's channel values.
void GlobalPoses(const BvhHierarchy& hierarchy, const std::vector<double>& values, double scale,
                 std::vector<Pose>& poses) {
    poses.resize(hierarchy.joints.size());
    for (std::size_t j = 0; j < hierarchy.joints.size(); ++j) {
        const BvhJoint& joint = hierarchy.joints[j];
        Vector translation = {joint.offset[0] * scale, joint.offset[1] * scale,
                              joint.offset[2] * scale};
        Matrix rotation = kIdentity;
        for (std::size_t c = 0; c < joint.channels.size(); ++c) {
            const int kind = static_cast<int>(joint.channels[c]);
            const double value = values[joint.firstValue + c];
            if (kind < 3)
                translation[kind] = value * scale;
            else
                rotation = Multiply(rotation, AxisRotation(kind - 3, value));
        }
        Pose& pose = poses[j];
        if (joint.parent < 0) {
            pose.position = translation;
            pose.rotation = rotation;
        } else {
            const Pose& parent = poses[joint.parent];
            const Vector moved = Apply(parent.rotation, translation);
            pose.position = {parent.position[0] + moved[0], parent.position[1] + moved[1],
                             parent.position[2] + moved[2]};
            pose.rotation = Multiply(parent.rotation, rotation);
        }
    }
}

// `value` with exactly `decimals` decimals and a period; no "-0".
void AppendNumber(std::string& out, double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string_view written(text, static_cast<std::size_t>(result.ptr - text));
    if (written.front() == '-' && written.find_first_not_of("-0.") == std::string_view::npos)
        written.remove_prefix(1);
    out += written;
}

// The body-part name a data field label "<name>:Tx" gives: the part after a
// colon in the name, trimmed.
std::string BodyPartName(std::string_view jointName) {
    const std::size_t colon = jointName.find(':');
    return std::string(
        TrimBlanks(colon == std::string_view::npos ? jointName : jointName.substr(colon + 1)));
}

// Joint names must make labels that name each joint once.
void CheckJointNames(const BvhHierarchy& hierarchy, char separator, const std::string& path) {
    std::set<std::string> names;
    for (const BvhJoint& joint : hierarchy.joints) {
        const auto refuse = [&](const std::string& why) {
            throw FileError(path, joint.line, joint.name, why);
        };
        if (joint.name.find(separator) != std::string::npos)
            refuse("the joint name holds the separator of the data file");
        if (std::count(joint.name.begin(), joint.name.end(), ':') > 1)
            refuse("the joint name holds more than one colon");
        const std::string name = BodyPartName(joint.name);
        if (name.empty())
            refuse("the joint name gives an empty data-field name");
        if (!names.insert(name).second)
            refuse("a second joint named '" + name + "'");
    }
}

std::string FormatLine(const BvhHierarchy& hierarchy, char separator) {
    static constexpr std::array<std::string_view, 6> kComponents = {"Tx", "Ty", "Tz",
                                                                    "Rx", "Ry", "Rz"};
    std::string line = "Time";
    line += separator;
    line += "Frame";
    for (const BvhJoint& joint : hierarchy.joints) {
        for (std::string_view component : kComponents) {
            line += separator;
            line += joint.name;
            line += ':';
            line += component;
        }
    }
    return line + "\n";
}

void CheckOptions(const BvhConversionOptions& options, const std::string& path) {
    if (!(options.scale > 0.0) || !std::isfinite(options.scale))
        throw FileError(path, 0, "scale", "the scale must be a number greater than 0");
    if (options.skipFrames < 0)
        throw FileError(path, 0, "skip frames", "the number of frames to skip must be at least 0");
    if (options.decimals < 1 || options.decimals > 15)
        throw FileError(path, 0, "decimals", "the number of decimals must be from 1 to 15");
    if (options.separator != ';' && options.separator != ',' && options.separator != '\t')
        throw FileError(path, 0, "separator", "the separator must be ';', ',' or a tab");
}

// The inverse orientation of every joint in frame `frame` of the file.
std::vector<Matrix> RestInverses(const std::string& path, long frame, double scale) {
    BvhReader reader;
    reader.Open(path);
    const BvhHierarchy& hierarchy = reader.Hierarchy();
    if (frame < 0 || frame >= hierarchy.frameCount) {
        throw FileError(path, hierarchy.framesLine, "Frames",
                        "the rest frame " + std::to_string(frame) + " is not one of the file's " +
                            std::to_string(hierarchy.frameCount) + " frames (0 is the first)");
    }
    std::vector<double> values;
    for (long k = 0; k <= frame; ++k)
        reader.ReadFrame(values);
    std::vector<Pose> poses;
    GlobalPoses(hierarchy, values, scale, poses);
    std::vector<Matrix> inverses;
    for (const Pose& pose : poses)
        inverses.push_back(Transposed(pose.rotation));
    return inverses;
}

}  // namespace

ConvertedDataFile ConvertBvh(const std::string& bvhPath, const std::string& outputPath,
                             const BvhConversionOptions& options) {
    CheckOptions(options, bvhPath);
    std::error_code error;
    if (std::filesystem::equivalent(bvhPath, outputPath, error))
        throw FileError(outputPath, 0, "", "the data file would replace the BVH file");

    BvhReader reader;
    reader.Open(bvhPath);
    const BvhHierarchy& hierarchy = reader.Hierarchy();
    CheckJointNames(hierarchy, options.separator, bvhPath);
    if (options.skipFrames >= hierarchy.frameCount) {
        throw FileError(bvhPath, hierarchy.framesLine, "Frames",
                        hierarchy.frameCount == 0
                            ? std::string("the file holds no frame")
                            : "no frame is left after skipping " +
                                  std::to_string(options.skipFrames) + " of " +
                                  std::to_string(hierarchy.frameCount));
    }
    // Times must tell the frames apart.
    const int timeDecimals = std::max(options.decimals, kTimeDecimals);
    if (hierarchy.frameTime < std::pow(10.0, -timeDecimals)) {
        throw FileError(bvhPath, hierarchy.frameTimeLine, "Frame Time",
                        "the frame time is shorter than the " + std::to_string(timeDecimals) +
                            " decimals of the time field can tell apart");
    }
    std::vector<Matrix> rest;
    if (options.restFrame)
        rest = RestInverses(bvhPath, *options.restFrame, options.scale);

    ConvertedDataFile converted;
    converted.joints = hierarchy.joints.size();
    converted.frameTime = hierarchy.frameTime;
    converted.file.Create(outputPath);
    std::string line = "Converted from " + std::filesystem::path(bvhPath).filename().string() +
                       ": " + std::to_string(hierarchy.joints.size()) +
                       " joints; positions in its unit";
    if (options.scale != 1.0) {
        line += " times ";
        AppendNumber(line, options.scale, 6);
    }
    line += ", angles in degrees, R = Rz*Ry*Rx";
    line += options.restFrame ? " relative to frame " + std::to_string(*options.restFrame) : "";
    converted.file.Append(line + "\n");
    converted.file.Append(FormatLine(hierarchy, options.separator));

    std::vector<double> values;
    std::vector<Pose> poses;
    for (long frame = 0; reader.ReadFrame(values); ++frame) {
        if (frame < options.skipFrames)
            continue;
        GlobalPoses(hierarchy, values, options.scale, poses);
        const long written = frame - options.skipFrames;
        line.clear();
        AppendNumber(line, static_cast<double>(written) * hierarchy.frameTime, timeDecimals);
        line += options.separator;
        line += std::to_string(written + 1);
        for (std::size_t j = 0; j < poses.size(); ++j) {
            const Matrix orientation =
                rest.empty() ? poses[j].rotation : Multiply(poses[j].rotation, rest[j]);
            const Vector angles = EulerAnglesZyx(orientation);
            for (double value : {poses[j].position[0], poses[j].position[1], poses[j].position[2],
                                 angles[0], angles[1], angles[2]}) {
                if (!std::isfinite(value)) {
                    throw FileError(bvhPath, 0, hierarchy.joints[j].name,
                                    "a position of frame " + std::to_string(frame) +
                                        " is too large to be written");
                }
                line += options.separator;
                AppendNumber(line, value, options.decimals);
            }
        }
        line += '\n';
        converted.file.Append(line);
        ++converted.frames;
    }
    return converted;
}

}  // namespace kivo
