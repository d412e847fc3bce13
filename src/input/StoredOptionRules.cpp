#include "input/StoredOptionRules.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Workspace.h"

namespace kivo {
namespace {

StoredOptionValue Passed(std::string text) {
    return {std::move(text), {}};
}

StoredOptionValue Refused(std::string_view text, std::string_view requirement) {
    return {std::string(text), "'" + std::string(text) + "' is not " + std::string(requirement)};
}

// The text with the period as decimal point.
std::string WithPeriod(std::string_view text) {
    std::string normalised(TrimBlanks(text));
    for (char& c : normalised) {
        if (c == ',')
            c = '.';
    }
    return normalised;
}

std::optional<std::int16_t> StoredWholeNumber(std::string_view text) {
    double value = 0.0;
    if (!ReadStoredNumber(text, value))
        return std::nullopt;
    return ToInteger16(value);
}

StoredOptionValue CheckCamera(std::string_view text) {
    if (text.empty() || text == "///")
        return Passed(std::string(text));
    const std::vector<std::string_view> parts = SplitFields(text, '/');
    if (parts.size() != 4 || !ContainsIgnoringCase(parts[0], "x"))
        return Refused(text, "WidthxHeight/NearPlane/FarPlane/FieldOfView");
    std::string normalised(text);
    for (char& c : normalised) {
        if (c == ',')
            c = '.';
    }
    return Passed(std::move(normalised));
}

}  // namespace

bool ReadStoredNumber(std::string_view text, double& value) {
    const std::string normalised = WithPeriod(text);
    if (normalised.empty() || normalised.find_first_of(" \t") != std::string::npos)
        return false;
    const NumberReading reading = ReadNumberField(normalised);
    if (!reading.whole)
        return false;
    value = reading.value;
    return true;
}

StoredOptionRule RuleOfOptionField(std::string_view caption) {
    if (caption == "Frames/Sec")
        return StoredOptionRule::FrameRate;
    if (caption == "Use Every")
        return StoredOptionRule::UseEvery;
    if (caption == "Body Height")
        return StoredOptionRule::BodyHeight;
    if (caption == "Angles" || caption == "Distances")
        return StoredOptionRule::Threshold;
    if (caption == "Dec. Places")
        return StoredOptionRule::DecimalPlaces;
    if (caption == "Lines Per File")
        return StoredOptionRule::LinesPerPart;
    if (caption == "Camera")
        return StoredOptionRule::Camera;
    return StoredOptionRule::None;
}

StoredOptionRule RuleOfInputFileColumn(int column) {
    switch (column) {
        case kColFramesPerSec:
            return StoredOptionRule::FrameRate;
        case kColUseEvery:
            return StoredOptionRule::UseEvery;
        case kColDistancesRelatedTo:
            return StoredOptionRule::DistanceOption;
        case kColAngles:
        case kColDistances:
            return StoredOptionRule::Threshold;
        case kColDecimalPlaces:
            return StoredOptionRule::DecimalPlaces;
        default:
            return StoredOptionRule::None;
    }
}

StoredOptionValue ApplyStoredOptionRule(StoredOptionRule rule, std::string_view text) {
    double value = 0.0;
    switch (rule) {
        case StoredOptionRule::None:
            return Passed(std::string(text));
        case StoredOptionRule::FrameRate: {
            const std::optional<std::int16_t> whole = StoredWholeNumber(text);
            if (!whole || *whole <= 0)
                return Refused(text, "a frame rate greater than 0 and up to 32767");
            return Passed(WithPeriod(text));
        }
        case StoredOptionRule::UseEvery: {
            const std::optional<std::int16_t> whole = StoredWholeNumber(text);
            if (!whole || *whole <= 0)
                return Refused(text, "a whole number from 1 to 32767");
            return Passed(std::to_string(*whole));
        }
        case StoredOptionRule::DistanceOption:
            if (text == "Height" || text == "Length" || text == "unmodified")
                return Passed(std::string(text));
            if (!ReadStoredNumber(text, value))
                return Refused(text, "Height, Length, unmodified or a body height");
            return Passed(WithPeriod(text));
        case StoredOptionRule::BodyHeight:
            if (TrimBlanks(text).empty())
                return Passed(std::string());
            if (!ReadStoredNumber(text, value))
                return Refused(text, "a number");
            return Passed(WithPeriod(text));
        case StoredOptionRule::Threshold:
            if (!ReadStoredNumber(text, value))
                return Refused(text, "a number");
            return Passed(value > 0.0 ? WithPeriod(text) : std::string("0.1"));
        case StoredOptionRule::DecimalPlaces: {
            const std::optional<std::int16_t> whole = StoredWholeNumber(text);
            if (!whole)
                return Refused(text, "a whole number of decimal places");
            return Passed(std::to_string(*whole < 1 ? 1 : (*whole > 15 ? 15 : *whole)));
        }
        case StoredOptionRule::LinesPerPart: {
            if (TrimBlanks(text).empty())
                return Passed(std::string());
            const std::optional<std::int16_t> whole = StoredWholeNumber(text);
            if (!whole || *whole < 2)
                return Refused(text, "a whole number of lines from 2 to 32767");
            return Passed(std::to_string(*whole));
        }
        case StoredOptionRule::Camera:
            return CheckCamera(text);
    }
    return Passed(std::string(text));
}

}  // namespace kivo
