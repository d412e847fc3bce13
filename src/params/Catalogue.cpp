#include "params/Catalogue.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr std::string_view kSrlSuffixes[] = {" Sagittal", " Rotational", " Lateral"};
constexpr std::string_view kMovementPrefixes[] = {"Global Dynamic ", "Local Dynamic ",
                                                  "Translational ", "Joint "};
constexpr std::string_view kDirectionLabels[] = {"3D Deviation", "2D Deviation Horizontal",
                                                 "2D Deviation Vertical"};
constexpr std::string_view kMimicryPrefixes[] = {"Rotational ", "Mirror "};
constexpr std::string_view kTransformLabels[] = {"TransX", "TransY", "TransZ",
                                                 "RotX",   "RotY",   "RotZ"};

constexpr OperandRule InputOperands(int count) {
    return {OperandKind::InputVariables, count};
}
constexpr OperandRule RowOperands(int count) {
    return {OperandKind::Rows, count};
}
constexpr OperandRule kThreshold{OperandKind::Threshold, 1};

// Editor flags of a column.
enum EditFlag : unsigned { kJoints = 1, kGroups = 2, kList = 4, kReference = 8 };

constexpr ColumnEditing Edit(OperandChoice choice, unsigned flags = 0, int limit = kNoEntryLimit) {
    return {true,
            (flags & kJoints) != 0,
            (flags & kGroups) != 0,
            (flags & kList) != 0 ? EntryMode::List : EntryMode::Single,
            (flags & kReference) != 0,
            limit,
            choice};
}

// Writes one catalogue entry, trait by trait.
class Define {
  public:
    Define(int index, std::string_view name, int columns) {
        entry_.index = index;
        entry_.displayName = name;
        entry_.fixedColumns = columns;
        entry_.statisticPrefixes = kGeneralPrefixes;
    }

    Define& Reads(OperandRule variables, OperandRule target = {}) {
        entry_.variables = variables;
        entry_.target = target;
        return *this;
    }
    Define& OperandColumns(int count) {
        entry_.operandColumns = count;
        return *this;
    }
    Define& BodyPartsBySrlRows() {
        entry_.bodyPartsBySrlRows = true;
        return *this;
    }
    Define& FollowsFirstVariable() {
        entry_.followsFirstVariable = true;
        return *this;
    }
    Define& Partner(PartnerRule rule) {
        entry_.partner = rule;
        return *this;
    }
    Define& NeedsReferenceSystem() {
        entry_.needsReferenceSystem = true;
        return *this;
    }
    Define& Dyadic() {
        entry_.dyadic = true;
        return *this;
    }
    Define& OncePerFrame() {
        entry_.oncePerFrame = true;
        return *this;
    }
    Define& Camera() {
        entry_.camera = true;
        return *this;
    }
    Define& Video() {
        entry_.video = true;
        return *this;
    }
    Define& NeedsPreviousFrame() {
        entry_.needsPreviousFrame = true;
        return *this;
    }
    Define& Values(ValueCountRule rule) {
        entry_.valueCount = rule;
        return *this;
    }
    Define& Captions(CaptionRule rule, std::span<const std::string_view> parts = {}) {
        entry_.captions = rule;
        entry_.captionParts = parts;
        return *this;
    }
    Define& Composite(std::string_view joiner, std::string_view suffix = {},
                      bool suffixNamesTarget = false) {
        entry_.captions = CaptionRule::Composite;
        entry_.joiner = joiner;
        entry_.compositeSuffix = suffix;
        entry_.suffixNamesTarget = suffixNamesTarget;
        return *this;
    }
    Define& Statistics(StatisticsKind kind, std::span<const std::string_view> prefixes,
                       MovementThresholdRule threshold) {
        entry_.statistics = kind;
        entry_.statisticPrefixes = prefixes;
        entry_.threshold = threshold;
        return *this;
    }
    Define& Units(UnitRule rule) {
        entry_.units = rule;
        return *this;
    }
    Define& Editing(ColumnEditing variables, ColumnEditing target = {}) {
        entry_.editVariables = variables;
        entry_.editTarget = target;
        return *this;
    }
    Define& NoOutputBox() {
        entry_.editOutput = false;
        return *this;
    }
    Define& NoDynamicBox() {
        entry_.editDynamic = false;
        return *this;
    }

    operator CatalogueEntry() const { return entry_; }

  private:
    CatalogueEntry entry_;
};

using Choice = OperandChoice;
using Unit = UnitRule;

Define Srl(int index, std::string_view name) {
    return Define(index, name, 3)
        .Reads(InputOperands(1))
        .Captions(CaptionRule::NameSuffixes, kSrlSuffixes)
        .Units(Unit::Degrees)
        .Editing(Edit(Choice::InputVariables, kJoints | kReference))
        .NoDynamicBox();
}

Define Movement(int index, std::string_view name, int columns,
                std::span<const std::string_view> prefixes, UnitRule units) {
    return Define(index, name, columns)
        .Reads(InputOperands(1))
        .BodyPartsBySrlRows()
        .FollowsFirstVariable()
        .Captions(CaptionRule::PrefixedName, kMovementPrefixes)
        .Statistics(StatisticsKind::Level, prefixes, MovementThresholdRule::AnglesButTranslational)
        .Units(units)
        .Editing(Edit(Choice::InputVariables, kJoints | kGroups | kList));
}

Define Direction(int index, std::string_view name) {
    return Define(index, name, 3)
        .Reads(InputOperands(3), InputOperands(1))
        .Dyadic()
        .Captions(CaptionRule::NameLabels, kDirectionLabels)
        .Units(Unit::Degrees)
        .Editing(Edit(Choice::InputVariables, kJoints | kList, 3),
                 Edit(Choice::InputVariables, kJoints));
}

Define BodyPair(int index, std::string_view name, UnitRule units) {
    return Define(index, name, 1)
        .Reads(InputOperands(2), InputOperands(2))
        .Units(units)
        .Editing(Edit(Choice::LeftPairs), Edit(Choice::RightPairs));
}

Define Camera(int index, std::string_view name) {
    return Define(index, name, 1)
        .Reads(InputOperands(1), InputOperands(1))
        .OncePerFrame()
        .Camera()
        .Units(Unit::Percent)
        .Editing(Edit(Choice::InputVariables, kJoints), Edit(Choice::InputVariables, kJoints));
}

// A derived row over the value columns of rows above it.
Define Derived(int index, std::string_view name, UnitRule units, unsigned listFlag = 0) {
    return Define(index, name, 1)
        .Reads(RowOperands(1))
        .FollowsFirstVariable()
        .Values(ValueCountRule::SmallestOperand)
        .Units(units)
        .Editing(Edit(Choice::Rows, listFlag));
}

Define Comparison(int index, std::string_view name, std::string_view suffix) {
    return Derived(index, name, Unit::Flag)
        .Reads(RowOperands(1), kThreshold)
        .Composite({}, suffix, true)
        .Editing(Edit(Choice::Rows), Edit(Choice::NumberOrInputVariables, kJoints | kList, 2));
}

std::vector<CatalogueEntry> BuildCatalogue() {
    return {
        Srl(kFnStaticSRL, "Static SRL"),
        Srl(kFnDynamicSRL, "Dynamic SRL").NeedsPreviousFrame(),
        Movement(kFnComplexity, "Complexity", 4, kComplexityPrefixes, Unit::Count),
        Define(kFnTSM, "TSM", 1)
            .Reads(RowOperands(1))
            .OperandColumns(4)  // the number of moving joints of a Complexity row
            .FollowsFirstVariable()
            .Partner(PartnerRule::RowAndOperands)
            .Statistics(StatisticsKind::DyadicMovement, {}, MovementThresholdRule::Angles)
            .Units(Unit::OperandColumn)
            .Editing(Edit(Choice::ComplexityRows))
            .NoOutputBox(),
        Movement(kFnMagnitude, "Magnitude", 3, kMagnitudePrefixes, Unit::Magnitude),
        Define(kFnActivation, "Activation", 1)
            .Reads(RowOperands(1))
            .OperandColumns(3)  // the translational magnitude of a Magnitude row
            .FollowsFirstVariable()
            .Statistics(StatisticsKind::Phases, {}, MovementThresholdRule::Distances)
            .Units(Unit::OperandColumn)
            .Editing(Edit(Choice::MagnitudeRows))
            .NoOutputBox()
            .NoDynamicBox(),
        Direction(kFnDirectionForward, "Direction (forward)"),
        Direction(kFnDirectionBackward, "Direction (backward)"),
        Define(kFnSymmetry, "Symmetry", 1)
            .Reads(InputOperands(1), InputOperands(1))
            .NeedsReferenceSystem()
            .Units(Unit::DistanceOfFirstVariable)
            .Editing(Edit(Choice::InputVariables, kJoints | kReference),
                     Edit(Choice::InputVariables, kJoints | kReference)),
        Define(kFnExpansion, "Expansion", 1)
            .Reads(InputOperands(1), InputOperands(1))
            .Units(Unit::DistanceOfVariables)
            .Editing(Edit(Choice::InputVariables, kJoints | kGroups | kList),
                     Edit(Choice::InputVariables, kJoints | kReference)),
        Define(kFnDistance, "Distance", 1)
            .Reads(InputOperands(1), InputOperands(1))
            .Units(Unit::DistanceOfFirstVariable)
            .Editing(Edit(Choice::InputVariables, kJoints), Edit(Choice::InputVariables, kJoints)),
        Define(kFnOpenness, "Openness", 1)
            .Reads(RowOperands(2), RowOperands(1))
            .OperandColumns(1)
            .Units(Unit::OperandColumn)
            .Editing(Edit(Choice::DistanceRows, kList, 2),
                     Edit(Choice::FoldedOrCrossedRows, kList, 2)),
        BodyPair(kFnFolded, "Folded", Unit::Halves),
        BodyPair(kFnCrossed, "Crossed", Unit::Flag),
        Define(kFnDyadicMimicry, "Dyadic Mimicry", 2)
            .Reads(InputOperands(1))
            .NeedsReferenceSystem()
            .Dyadic()
            .Captions(CaptionRule::PrefixedName, kMimicryPrefixes)
            .Units(Unit::Degrees)
            .Editing(Edit(Choice::InputVariables, kJoints | kGroups | kList | kReference)),
        Define(kFnDyadicProxemics, "Dyadic Proxemics", 1)
            .Reads(InputOperands(1), InputOperands(1))
            .Dyadic()
            .Units(Unit::DistanceOfVariables)
            .Editing(Edit(Choice::InputVariables, kJoints | kGroups | kList),
                     Edit(Choice::InputVariables, kJoints | kGroups | kList)),
        Define(kFnDyadicParameter, "Dyadic Parameter", 4)
            .Reads(RowOperands(1))
            .FollowsFirstVariable()
            .Partner(PartnerRule::Operands)
            .Dyadic()
            .OncePerFrame()
            .Values(ValueCountRule::FourPerOperandColumn)
            .Captions(CaptionRule::Contributions)
            .Units(Unit::Contributions)
            .Editing(Edit(Choice::ContributingRows)),
        Derived(kFnDynamicParameter, "Dynamic Parameter", Unit::First)
            .NeedsPreviousFrame()
            .Composite({}, " (Dynamic)"),
        Camera(kFnCameraFraming, "Camera Framing"),
        Camera(kFnCameraProxemics, "Camera Proxemics"),
        Define(kFnPixelDifference, "Pixel Difference", 1)
            .OncePerFrame()
            .Video()
            .Statistics(StatisticsKind::Level, kMagnitudePrefixes,
                        MovementThresholdRule::PixelConstant)
            .Units(Unit::Percent),
        Derived(kFnAddition, "Addition", Unit::Common, kList).Composite("' plus '"),
        Derived(kFnSubtraction, "Subtraction", Unit::Common, kList)
            .Reads(RowOperands(1), RowOperands(1))
            .Values(ValueCountRule::SmallestOperandOrTarget)
            .Composite("' minus '")
            .Editing(Edit(Choice::Rows, kList), Edit(Choice::Rows)),
        Derived(kFnMultiplication, "Multiplication", Unit::Product, kList).Composite("' times '"),
        Derived(kFnDivision, "Division", Unit::Quotient, kList)
            .Reads(RowOperands(1), RowOperands(1))
            .Values(ValueCountRule::SmallestOperandOrTarget)
            .Composite("' by '")
            .Editing(Edit(Choice::Rows, kList), Edit(Choice::Rows)),
        Derived(kFnAbsoluteValue, "Absolute Value", Unit::First).Composite({}, " (Absolute Value)"),
        Comparison(kFnLessThan, "Less Than", " Less Than "),
        Comparison(kFnGreaterThan, "Greater Than", " Greater Than "),
        Define(kFnCoordTransform, "Coord. Transform.", 6)
            .Reads(InputOperands(1))
            .NeedsReferenceSystem()
            .Captions(CaptionRule::NameLabels, kTransformLabels)
            .Units(Unit::Transform)
            .Editing(Edit(Choice::InputVariables, kJoints | kReference)),
    };
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() {
    static const std::vector<CatalogueEntry> entries = BuildCatalogue();
    return entries;
}

const CatalogueEntry& CatalogueEntryOf(int functionIndex) {
    static const CatalogueEntry none = Define(kFnNone, {}, 0);
    if (functionIndex < 1 || functionIndex > kFunctionCount)
        return none;
    return Catalogue()[static_cast<std::size_t>(functionIndex - 1)];
}
int ValueCountOf(int functionIndex, int tagColumns, std::span<const int> variableValues,
                 int firstTargetValues) {
    const auto smallest = [&](int count) {
        for (int values : variableValues)
            count = std::min(count, values);
        return count;
    };
    switch (CatalogueEntryOf(functionIndex).valueCount) {
        case ValueCountRule::FourPerOperandColumn:
            if (variableValues.empty())
                return 0;
            return variableValues.front() > kMaxValueColumns / 4 ? kMaxValueColumns + 1
                                                                 : 4 * variableValues.front();
        case ValueCountRule::SmallestOperandOrTarget:
            return smallest(firstTargetValues);
        case ValueCountRule::SmallestOperand:
            return smallest(kNoEntryLimit);
        case ValueCountRule::Fixed:
            break;
    }
    return tagColumns;
}

int FunctionIndexOf(std::string_view displayName) {
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.displayName == displayName)
            return entry.index;
    }
    return kFnNone;
}

std::string_view FunctionDisplayName(int functionIndex) {
    if (functionIndex < 1 || functionIndex > kFunctionCount)
        return {};
    return Catalogue()[functionIndex - 1].displayName;
}

std::string TypeTagOf(std::string_view displayName) {
    const int index = FunctionIndexOf(displayName);
    if (index == kFnNone)
        return "00";
    return std::to_string(Catalogue()[index - 1].fixedColumns) + std::to_string(index);
}

int TypeTagFunctionIndex(std::string_view typeTag) {
    int value = 0;
    for (std::size_t i = 1; i < typeTag.size(); ++i) {
        if (typeTag[i] < '0' || typeTag[i] > '9')
            break;
        value = value * 10 + (typeTag[i] - '0');
    }
    return value;
}

int TypeTagColumns(std::string_view typeTag) {
    if (typeTag.empty() || typeTag[0] < '0' || typeTag[0] > '9')
        return 0;
    return typeTag[0] - '0';
}

void SetParameterTypeTag(ParameterDefinition& row) {
    row.typeTag = TypeTagOf(row.function);
}

void SetAllParameterTypeTags(std::vector<ParameterDefinition>& rows) {
    for (ParameterDefinition& row : rows)
        SetParameterTypeTag(row);
}

void AddParameterRow(std::vector<ParameterDefinition>& rows, std::string name, std::string function,
                     std::string variables, std::string target, std::string referenceSystem,
                     std::string output, std::string statistics, std::string dynamic,
                     bool enabled) {
    ParameterDefinition row;
    row.name = std::move(name);
    row.function = std::move(function);
    row.variables = std::move(variables);
    row.target = std::move(target);
    row.referenceSystem = std::move(referenceSystem);
    row.output = std::move(output);
    row.statistics = std::move(statistics);
    row.dynamic = std::move(dynamic);
    row.enabled = enabled;
    rows.push_back(std::move(row));
}

}  // namespace kivo
