#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterDefinition.h"
#include "params/StatisticsKind.h"

namespace kivo {

inline constexpr int kFunctionCount = 29;

// Function indices of the calculation-function catalogue.
enum FunctionIndex : int {
    kFnNone = 0,
    kFnStaticSRL = 1,
    kFnDynamicSRL = 2,
    kFnComplexity = 3,
    kFnTSM = 4,
    kFnMagnitude = 5,
    kFnActivation = 6,
    kFnDirectionForward = 7,
    kFnDirectionBackward = 8,
    kFnSymmetry = 9,
    kFnExpansion = 10,
    kFnDistance = 11,
    kFnOpenness = 12,
    kFnFolded = 13,
    kFnCrossed = 14,
    kFnDyadicMimicry = 15,
    kFnDyadicProxemics = 16,
    kFnDyadicParameter = 17,
    kFnDynamicParameter = 18,
    kFnCameraFraming = 19,
    kFnCameraProxemics = 20,
    kFnPixelDifference = 21,
    kFnAddition = 22,
    kFnSubtraction = 23,
    kFnMultiplication = 24,
    kFnDivision = 25,
    kFnAbsoluteValue = 26,
    kFnLessThan = 27,
    kFnGreaterThan = 28,
    kFnCoordTransform = 29,
};

// What a calculation function expects in its Variables or Target column.
enum class OperandKind {
    Unchecked,       // not used by the function: names are resolved but not checked
    InputVariables,  // names of input variables
    Rows,            // names of parameters that stand above the row
    Threshold,       // one number, or two input variables (Less Than, Greater Than)
};

struct OperandRule {
    OperandKind kind = OperandKind::Unchecked;
    int minimumCount = 0;  // entries the function reads at least
};

// Which rows a row makes the compilation compute for person B too.
enum class PartnerRule {
    None,
    Operands,        // its operand rows (Dyadic Parameter)
    RowAndOperands,  // itself and its operand rows (TSM)
};

// The number of value columns of a compiled row.
enum class ValueCountRule {
    Fixed,                    // the catalogue's fixed columns
    FourPerOperandColumn,     // four per value column of its first operand row
    SmallestOperand,          // the smallest count among its Variables rows
    SmallestOperandOrTarget,  // the same, the first Target row included
};

// How the value columns are captioned; N is the row's name.
enum class CaptionRule {
    Name,           // N
    NameSuffixes,   // N & part of the column
    PrefixedName,   // part of the column & N
    NameLabels,     // N & ": " & part of the column
    Contributions,  // "Dyadic " & operand caption & contribution, four per operand column
    Composite,      // N alone, or with several columns the operands' captions joined
};

// Which threshold makes a value count as movement.
enum class MovementThresholdRule {
    None,
    Angles,                  // the file's angle threshold
    Distances,               // the file's distance threshold
    AnglesButTranslational,  // distances for the third (translational) column
    PixelConstant,           // a fixed threshold of pixel changes
};

// The unit of the value columns.
enum class UnitRule {
    None,
    Degrees,
    Count,
    Magnitude,                // degrees; the translational column a limb distance
    OperandColumn,            // the unit of the operand column the function reads
    DistanceOfFirstVariable,  // a corrected distance of the first input variable's limb
    DistanceOfVariables,      // a corrected distance of the input variables' limbs
    Halves,                   // 0, 0.5 or 1
    Flag,                     // 0 or 1
    Contributions,            // the operand's unit, and percent for the shares
    Percent,
    Transform,  // data units for the translations, degrees for the rotations
    Common,     // the operands' unit when they agree
    Product,    // the operands' units joined with " x "
    Quotient,   // the operands' units joined with " / "
    First,      // the first operand's unit
};

// List: entries are added, removed and cleared one by one. Single: the chosen
// item replaces the whole column.
enum class EntryMode { Single, List };

inline constexpr int kNoEntryLimit = 32767;

// What the variable box offers for a column.
enum class OperandChoice {
    None,
    InputVariables,
    LeftPairs,   // "Hand L,Elbow L", "Foot L,Knee L"
    RightPairs,  // their right-side counterparts
    NumberOrInputVariables,
    Rows,  // the rows above
    ComplexityRows,
    MagnitudeRows,
    DistanceRows,
    FoldedOrCrossedRows,
    ContributingRows,  // rows above but Activation, TSM, Pixel Difference, Dyadic Parameter
};

// How the editor edits one column of a function.
struct ColumnEditing {
    bool edited = false;
    bool joints = false;  // the body-part boxes
    bool groups = false;  // Upper, Lower, Left, Right, All, None
    EntryMode mode = EntryMode::Single;
    bool referenceSystem = false;
    int limit = kNoEntryLimit;
    OperandChoice choice = OperandChoice::None;
};

// One calculation function: everything the compilation, the run, the
// statistics, the units and the editor need to know about it.
struct CatalogueEntry {
    int index = kFnNone;
    std::string_view displayName;
    int fixedColumns = 0;  // value-column count carried in the type tag

    OperandRule variables;
    OperandRule target;
    int operandColumns = 0;             // value columns it reads from each operand row (0: any)
    bool bodyPartsBySrlRows = false;    // body parts read through their Dynamic SRL rows
    bool followsFirstVariable = false;  // the base function is that of variable 1
    PartnerRule partner = PartnerRule::None;
    bool needsReferenceSystem = false;

    bool dyadic = false;              // compares the persons of a dyad: needs a partner file
    bool oncePerFrame = false;        // one calculation per frame whatever the partner flag
    bool camera = false;              // reads the virtual camera of the file
    bool video = false;               // reads the video of the file
    bool needsPreviousFrame = false;  // no value before a file's second frame

    ValueCountRule valueCount = ValueCountRule::Fixed;
    CaptionRule captions = CaptionRule::Name;
    std::span<const std::string_view> captionParts;  // per value column
    std::string_view joiner;                         // composite captions of several operands
    std::string_view compositeSuffix;                // composite captions; the Target text follows
    bool suffixNamesTarget = false;                  // when set

    StatisticsKind statistics = StatisticsKind::General;
    std::span<const std::string_view> statisticPrefixes;
    MovementThresholdRule threshold = MovementThresholdRule::None;
    UnitRule units = UnitRule::None;

    ColumnEditing editVariables;
    ColumnEditing editTarget;
    bool editOutput = true;   // Output can be ticked
    bool editDynamic = true;  // Dynamic can be ticked
};

// Statistics caption prefixes.
inline constexpr std::string_view kGeneralPrefixes[] = {"M ", "SD ", "MIN ", "MAX "};
inline constexpr std::string_view kComplexityPrefixes[] = {"CBM ", "CAP "};
inline constexpr std::string_view kMagnitudePrefixes[] = {"MBM ", "MAP "};

// Entries 1..29 in function-index order.
const std::vector<CatalogueEntry>& Catalogue();

// The entry of a function index; an entry without operands, captions or
// editing for 0 and unknown indices.
const CatalogueEntry& CatalogueEntryOf(int functionIndex);

// The most value columns one row may have. Only a chain of Dyadic Parameter
// rows, each with four times the columns of the row it reads, comes near it.
inline constexpr int kMaxValueColumns = 4096;

// The value columns of a compiled row: the fixed columns of its type tag, or
// taken from the value columns of its operand rows (its Variables rows in
// order, and its first Target row). A count beyond kMaxValueColumns is given
// as kMaxValueColumns + 1.
int ValueCountOf(int functionIndex, int tagColumns, std::span<const int> variableValues,
                 int firstTargetValues);

// Function index of a display name (exact comparison), 0 when not in the catalogue.
int FunctionIndexOf(std::string_view displayName);
std::string_view FunctionDisplayName(int functionIndex);

// Type tag of a function name: the value-column digit followed by the index
// ("31" for Static SRL, "629" for Coord. Transform.), "00" when unknown.
std::string TypeTagOf(std::string_view displayName);
int TypeTagFunctionIndex(std::string_view typeTag);  // the tag without its first character
int TypeTagColumns(std::string_view typeTag);        // the tag's first character

void SetParameterTypeTag(ParameterDefinition& row);
void SetAllParameterTypeTags(std::vector<ParameterDefinition>& rows);

// Appends a row with the eight column texts and the check state (no type tag).
void AddParameterRow(std::vector<ParameterDefinition>& rows, std::string name, std::string function,
                     std::string variables, std::string target, std::string referenceSystem,
                     std::string output, std::string statistics, std::string dynamic, bool enabled);

}  // namespace kivo
