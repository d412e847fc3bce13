#include "params/DefaultParameterList.h"

#include <array>
#include <string_view>

#include "core/InputVariableTable.h"
#include "params/Catalogue.h"

namespace kivo {
namespace {

constexpr std::string_view kOn = "x";
constexpr int kFirstBodyPart = kHips;
constexpr int kLastBodyPart = kFootR;

// Parent of each body part (input variables 1..15), the reference system of
// the local SRL rows.
constexpr std::array<std::string_view, 15> kParents = {
    "Base",   "Hips",  "Chest", "Chest",   "Arm L", "Elbow L", "Hips",  "Leg L",
    "Knee L", "Chest", "Arm R", "Elbow R", "Hips",  "Leg R",   "Knee R"};

constexpr std::string_view kL15 =
    "Hips,Chest,Head,Arm L,Arm R,Elbow L,Elbow R,Hand L,Hand R,Leg L,Leg R,Knee L,Knee R,Foot L,"
    "Foot R";

struct BodyGroup {
    std::string_view suffix;
    std::string_view list;
};

constexpr std::array<BodyGroup, 5> kGroups = {{
    {" Body", kL15},
    {" Head", "Head"},
    {" Trunk", "Hips,Chest"},
    {" Upper Extremities", "Arm L,Arm R,Elbow L,Elbow R,Hand L,Hand R"},
    {" Lower Extremities", "Leg L,Leg R,Knee L,Knee R,Foot L,Foot R"},
}};

// Inputs of the "Dyadic ..." rows, in list order.
constexpr std::array<std::string_view, 24> kDyadicInputs = {"Complexity Body",
                                                            "Complexity Head",
                                                            "Complexity Trunk",
                                                            "Complexity Upper Extremities",
                                                            "Complexity Lower Extremities",
                                                            "Magnitude Body",
                                                            "Magnitude Head",
                                                            "Magnitude Trunk",
                                                            "Magnitude Upper Extremities",
                                                            "Magnitude Lower Extremities",
                                                            "Direction Head",
                                                            "Direction Chest",
                                                            "Direction Hips",
                                                            "Direction Hand R",
                                                            "Direction Hand L",
                                                            "Symmetry Upper Extremities",
                                                            "Symmetry Lower Extremities",
                                                            "Symmetry All Extremities",
                                                            "Expansion Upper Extremities",
                                                            "Expansion Lower Extremities",
                                                            "Expansion All Extremities",
                                                            "Openness Upper Extremities",
                                                            "Openness Lower Extremities",
                                                            "Openness All Extremities"};

// Body parts whose SRL rows are written to the output and the statistics.
bool IsReportedBodyPart(int position) {
    switch (position) {
        case kHips:
        case kChest:
        case kHead:
        case kHandL:
        case kHandR:
        case kFootL:
        case kFootR:
            return true;
        default:
            return false;
    }
}

// The names of input variables 1..33 joined with ",".
std::string BodyMarkerList() {
    std::string list;
    for (int position = kHips; position <= kHandRI; ++position) {
        if (!list.empty())
            list += ",";
        list += FixedInputVariableNames()[static_cast<std::size_t>(position)];
    }
    return list;
}

// A row with Dynamic empty; output and statistics as "x" or empty.
void Add(std::vector<ParameterDefinition>& rows, std::string name, std::string_view function,
         std::string_view variables, std::string_view target, std::string_view referenceSystem,
         bool output, bool statistics, bool enabled = true) {
    AddParameterRow(rows, std::move(name), std::string(function), std::string(variables),
                    std::string(target), std::string(referenceSystem),
                    output ? std::string(kOn) : std::string(),
                    statistics ? std::string(kOn) : std::string(), std::string(), enabled);
}

void AddSRLRow(std::vector<ParameterDefinition>& rows, std::string_view scope,
               const std::string& function, int position, std::string_view referenceSystem) {
    const std::string bodyPart(FixedInputVariableNames()[static_cast<std::size_t>(position)]);
    const bool reported = IsReportedBodyPart(position);
    Add(rows, std::string(scope) + function + " " + bodyPart, function, bodyPart, "",
        referenceSystem, reported, reported);
}

void AddMovementRows(std::vector<ParameterDefinition>& rows) {
    for (const BodyGroup& group : kGroups) {
        Add(rows, "Complexity" + std::string(group.suffix), "Complexity", group.list, "", "", true,
            true);
    }
    for (const BodyGroup& group : kGroups) {
        Add(rows, "TSM" + std::string(group.suffix), "TSM",
            "Complexity" + std::string(group.suffix), "", "", false, true);
    }
    for (const BodyGroup& group : kGroups) {
        Add(rows, "Magnitude" + std::string(group.suffix), "Magnitude", group.list, "", "", true,
            true);
    }
    for (const BodyGroup& group : kGroups) {
        Add(rows, "Activation" + std::string(group.suffix), "Activation",
            "Magnitude" + std::string(group.suffix), "", "", false, true);
    }
}

void AddSymmetryRows(std::vector<ParameterDefinition>& rows) {
    Add(rows, "Symmetry Hands", "Symmetry", "Hand L", "Hand R", "Chest", false, false);
    Add(rows, "Symmetry Elbows", "Symmetry", "Elbow L", "Elbow R", "Chest", false, false);
    Add(rows, "Symmetry Shoulders", "Symmetry", "Arm L", "Arm R", "Chest", false, false);
    Add(rows, "Symmetry Upper Extremities", "Addition",
        "Symmetry Hands,Symmetry Elbows,Symmetry Shoulders", "", "", true, true);
    Add(rows, "Symmetry Feet", "Symmetry", "Foot L", "Foot R", "Hips", false, false);
    Add(rows, "Symmetry Knees", "Symmetry", "Knee L", "Knee R", "Hips", false, false);
    Add(rows, "Symmetry Hips", "Symmetry", "Leg L", "Leg R", "Hips", false, false);
    Add(rows, "Symmetry Lower Extremities", "Addition",
        "Symmetry Feet,Symmetry Knees,Symmetry Hips", "", "", true, true);
    Add(rows, "Symmetry All Extremities", "Addition",
        "Symmetry Upper Extremities,Symmetry Lower Extremities", "", "", true, true);
}

void AddExpansionRows(std::vector<ParameterDefinition>& rows) {
    const std::string_view upper = "Hips,Chest,Head";
    Add(rows, "Expansion Hand L", "Expansion", upper, "Hand L", "", false, false);
    Add(rows, "Expansion Elbow L", "Expansion", upper, "Elbow L", "", false, false);
    Add(rows, "Expansion Arm L", "Addition", "Expansion Hand L,Expansion Elbow L", "", "", false,
        false);
    Add(rows, "Expansion Hand R", "Expansion", upper, "Hand R", "", false, false);
    Add(rows, "Expansion Elbow R", "Expansion", upper, "Elbow R", "", false, false);
    Add(rows, "Expansion Arm R", "Addition", "Expansion Hand R,Expansion Elbow R", "", "", false,
        false);
    Add(rows, "Expansion Upper Extremities", "Addition", "Expansion Arm L,Expansion Arm R", "", "",
        true, true);
    Add(rows, "Expansion Foot L", "Expansion", "Hips", "Foot L", "", false, false);
    Add(rows, "Expansion Knee L", "Expansion", "Hips", "Knee L", "", false, false);
    Add(rows, "Expansion Leg L", "Addition", "Expansion Foot L,Expansion Knee L", "", "", false,
        false);
    Add(rows, "Expansion Foot R", "Expansion", "Hips", "Foot R", "", false, false);
    Add(rows, "Expansion Knee R", "Expansion", "Hips", "Knee R", "", false, false);
    Add(rows, "Expansion Leg R", "Addition", "Expansion Foot R,Expansion Knee R", "", "", false,
        false);
    Add(rows, "Expansion Lower Extremities", "Addition", "Expansion Leg L,Expansion Leg R", "", "",
        true, true);
    Add(rows, "Expansion Left Body Side", "Addition", "Expansion Arm L,Expansion Leg L", "", "",
        true, true);
    Add(rows, "Expansion Right Body Side", "Addition", "Expansion Arm R,Expansion Leg R", "", "",
        true, true);
    Add(rows, "Expansion All Extremities", "Addition",
        "Expansion Upper Extremities,Expansion Lower Extremities", "", "", true, true);
}

void AddConfigurationRows(std::vector<ParameterDefinition>& rows) {
    Add(rows, "Distance Hands", "Distance", "Hand L", "Hand R", "", false, false);
    Add(rows, "Distance Elbows", "Distance", "Elbow L", "Elbow R", "", false, false);
    Add(rows, "Distance Feet", "Distance", "Foot L", "Foot R", "", false, false);
    Add(rows, "Distance Knees", "Distance", "Knee L", "Knee R", "", false, false);
    Add(rows, "Folded Arms", "Folded", "Hand L,Elbow L", "Hand R,Elbow R", "", false, false);
    Add(rows, "Folded Legs", "Folded", "Foot L,Knee L", "Foot R,Knee R", "", false, false);
    Add(rows, "Crossed Legs", "Crossed", "Foot L,Knee L", "Foot R,Knee R", "", false, false);
    Add(rows, "Openness Upper Extremities", "Openness", "Distance Elbows,Distance Hands",
        "Folded Arms", "", true, true);
    Add(rows, "Openness Lower Extremities", "Openness", "Distance Knees,Distance Feet",
        "Folded Legs,Crossed Legs", "", true, true);
    Add(rows, "Openness All Extremities", "Addition",
        "Openness Upper Extremities,Openness Lower Extremities", "", "", true, true);
    Add(rows, "Direction Head", "Direction (forward)", "Ear L,Nose,Ear R", "Nose", "", true, true);
    Add(rows, "Direction Chest", "Direction (backward)", "Chest L,Chest M,Chest R", "Chest M", "",
        true, true);
    Add(rows, "Direction Hips", "Direction (backward)", "Hips L,Hips M,Hips R", "Hips M", "", true,
        true);
    Add(rows, "Direction Hand R", "Direction (forward)", "Hand R I,Hand R F,Hand R O", "Chest", "",
        true, true);
    Add(rows, "Direction Hand L", "Direction (forward)", "Hand L I,Hand L F,Hand L O", "Chest", "",
        true, true);
}

void AddDyadicRows(std::vector<ParameterDefinition>& rows) {
    const std::string l33 = BodyMarkerList();
    Add(rows, "Dyadic Mimicry Upper Extremities", "Dyadic Mimicry", kGroups[3].list, "", "Chest",
        true, true);
    Add(rows, "Dyadic Mimicry Lower Extremities", "Dyadic Mimicry", kGroups[4].list, "", "Hips",
        true, true);
    Add(rows, "Dyadic Mimicry All Extremities", "Addition",
        "Dyadic Mimicry Upper Extremities,Dyadic Mimicry Lower Extremities", "", "", true, true);
    Add(rows, "Dyadic Mimicry Body", "Dyadic Mimicry", kL15, "", "Hips", true, true);
    Add(rows, "Dyadic Proxemics Body", "Dyadic Proxemics", l33, l33, "", true, true);
    Add(rows, "Dyadic Proxemics Heads", "Dyadic Proxemics", "Head", "Head", "", true, true);
    Add(rows, "Dyadic Proxemics Chests", "Dyadic Proxemics", "Chest", "Chest", "", true, true);
    Add(rows, "Dyadic Proxemics Hips", "Dyadic Proxemics", "Hips", "Hips", "", true, true);
    Add(rows, "Dyadic Proxemics HandR", "Dyadic Proxemics", "Hand R", l33, "", true, true);
    Add(rows, "Dyadic Proxemics HandL", "Dyadic Proxemics", "Hand L", l33, "", true, true);
    Add(rows, "Dyadic Proxemics FootR", "Dyadic Proxemics", "Foot R", l33, "", true, true);
    Add(rows, "Dyadic Proxemics FootL", "Dyadic Proxemics", "Foot L", l33, "", true, true);
    // The hand's own size (Hand R to its finger marker) is the touch threshold.
    const std::string_view handSize = "Hand R,Hand R F";
    Add(rows, "Dyadic Touch Body", "Less Than", "Dyadic Proxemics Body", handSize, "", true, true);
    Add(rows, "Dyadic Touch HandR", "Less Than", "Dyadic Proxemics HandR", handSize, "", false,
        false);
    Add(rows, "Dyadic Touch HandL", "Less Than", "Dyadic Proxemics HandL", handSize, "", false,
        false);
    Add(rows, "Dyadic Touch Hands", "Addition", "Dyadic Touch HandL,Dyadic Touch HandR", "", "",
        true, true);
    for (std::string_view input : kDyadicInputs) {
        Add(rows, "Dyadic " + std::string(input), "Dyadic Parameter", input, "", "", true, true);
    }
}

void AddCameraAndVideoRows(std::vector<ParameterDefinition>& rows) {
    Add(rows, "Camera Angle", "Static SRL", "Camera", "", "", true, true, false);
    Add(rows, "Camera Framing", "Camera Framing", "Top", "Chin", "", true, true, false);
    Add(rows, "Camera Proxemics", "Camera Proxemics", "Top", "Chin", "", true, true, false);
    Add(rows, "Video Pixel Difference", "Pixel Difference", "", "", "", true, true, false);
}

}  // namespace

void AddGlobalSRLParameters(std::vector<ParameterDefinition>& rows, const std::string& function,
                            const std::string& referenceSystem) {
    for (int position = kFirstBodyPart; position <= kLastBodyPart; ++position) {
        AddSRLRow(rows, "Global ", function, position, referenceSystem);
    }
}

void AddLocalSRLParameters(std::vector<ParameterDefinition>& rows, const std::string& function) {
    for (int position = kFirstBodyPart; position <= kLastBodyPart; ++position) {
        AddSRLRow(rows, "Local ", function, position,
                  kParents[static_cast<std::size_t>(position - kFirstBodyPart)]);
    }
}

void CreateDefaultParameterList(std::vector<ParameterDefinition>& rows) {
    rows.clear();
    AddGlobalSRLParameters(rows, "Static SRL", "Base");
    AddLocalSRLParameters(rows, "Static SRL");
    AddGlobalSRLParameters(rows, "Dynamic SRL", "");
    AddLocalSRLParameters(rows, "Dynamic SRL");
    AddMovementRows(rows);
    AddSymmetryRows(rows);
    AddExpansionRows(rows);
    AddConfigurationRows(rows);
    AddDyadicRows(rows);
    AddCameraAndVideoRows(rows);
    SetAllParameterTypeTags(rows);
}

}  // namespace kivo
