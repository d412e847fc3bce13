#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kivo {

inline constexpr int kInputVariableCount = 86;
inline constexpr int kFixedInputVariableCount = 36;
inline constexpr int kUserVariableCount = 50;
inline constexpr int kFirstUserVariable = 36;
// Position returned for a name that is no input variable.
inline constexpr int kNotAnInputVariable = 86;
// Name given to unnamed entries while a run compiles, so no lookup matches them.
inline constexpr std::string_view kUnnamedMarker = "\xC3\xBF";  // U+00FF

// Slots of a pose: translation x, y, z, then rotation x, y, z (degrees).
inline constexpr int kPoseSlots = 6;
enum PoseSlot : int { kTx = 0, kTy, kTz, kRx, kRy, kRz };

// Fixed input variable positions.
enum InputVariable : int {
    kBase = 0,
    kHips,
    kChest,
    kHead,
    kArmL,
    kElbowL,
    kHandL,
    kLegL,
    kKneeL,
    kFootL,
    kArmR,
    kElbowR,
    kHandR,
    kLegR,
    kKneeR,
    kFootR,
    kChin,
    kTop,
    kBottom,
    kNose,
    kEarR,
    kEarL,
    kChestL,
    kChestM,
    kChestR,
    kHipsL,
    kHipsM,
    kHipsR,
    kHandLO,
    kHandLF,
    kHandLI,
    kHandRO,
    kHandRF,
    kHandRI,
    kCamera,
    kInterest,
};

const std::array<std::string_view, kFixedInputVariableCount>& FixedInputVariableNames();

// Values of one input variable for one person (person A: input file, B: partner).
struct PersonBlock {
    std::array<int, kPoseSlots> fieldIndex{};  // data-field index per slot; 0 = not found
    std::array<double, kPoseSlots> current{};
    std::array<double, kPoseSlots> previous{};
    // False when a bound field was missing from this frame's data line (or the
    // partner file has ended): the values are not this frame's.
    bool frameComplete = true;
    // The same for the previous processed frame's values.
    bool previousComplete = true;

    bool IsBound() const {
        for (int index : fieldIndex) {
            if (index == 0)
                return false;
        }
        return true;
    }
};

struct InputVariableEntry {
    std::string name;
    std::string dataFieldName;  // bound data-field name, empty when unbound
    std::array<PersonBlock, 2> persons{};
};

// The 86 named body points (and scene points) every calculation function reads.
class InputVariableTable {
  public:
    InputVariableTable();  // fixed names set, user variables unnamed

    InputVariableEntry& operator[](int position) { return entries_[position]; }
    const InputVariableEntry& operator[](int position) const { return entries_[position]; }

    // Position 0..85 of the first entry named exactly `name`, else kNotAnInputVariable.
    int GetInputVariableIndex(std::string_view name) const;

    // person: 1 = A, 2 = B.
    PersonBlock& Person(int position, int person) { return entries_[position].persons[person - 1]; }
    const PersonBlock& Person(int position, int person) const {
        return entries_[position].persons[person - 1];
    }

    void ResetFieldIndices();

  private:
    std::array<InputVariableEntry, kInputVariableCount> entries_;
};

}  // namespace kivo
