#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "params/CompileTestSupport.h"
#include "params/DefaultParameterList.h"
#include "params/ParameterListEditor.h"

namespace kivo {
namespace {

// Answers every question and input box at random.
class RandomPrompt : public UserPrompt {
  public:
    explicit RandomPrompt(std::mt19937& random) : random_(random) {}

    PromptAnswer Ask(const PromptMessage& message) override {
        const bool yes = random_() % 2 == 0;
        switch (message.buttons) {
            case PromptButtons::Ok:
                return PromptAnswer::Ok;
            case PromptButtons::OkCancel:
                return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
            default:
                return yes ? PromptAnswer::Yes : PromptAnswer::No;
        }
    }
    using UserPrompt::Ask;

    std::optional<std::string> AskText(const PromptMessage&, std::string_view) override {
        static const char* const answers[] = {"7", "-32768", "40000", "2.5", "seven", nullptr};
        const char* answer = answers[random_() % std::size(answers)];
        return answer ? std::optional<std::string>(answer) : std::nullopt;
    }

  private:
    std::mt19937& random_;
};

// Plays random editor commands on a copy of the default list.
class RandomSession {
  public:
    RandomSession(const std::vector<ParameterDefinition>& list, unsigned seed)
        : random_(seed), prompt_(random_) {
        workspace_.parameters = list;
        editor_.emplace(workspace_, prompt_);
    }

    std::size_t Pick(std::size_t count) { return count == 0 ? 0 : random_() % count; }
    bool Coin() { return random_() % 2 == 0; }

    std::size_t AnyRow() { return Pick(workspace_.parameters.size() + 1); }  // may be past the end

    std::string AnyName() {
        static const char* const odd[] = {"", "Hips", "A,B", "12", "Parameter_1", "Fresh"};
        if (!workspace_.parameters.empty() && Coin())
            return workspace_.parameters[Pick(workspace_.parameters.size())].name;
        return odd[Pick(std::size(odd))];
    }

    // Plays one command, drawn by weight, and returns its name.
    const char* Step() {
        ParameterListEditor& e = *editor_;
        const EditorView view = e.View();
        const auto any = [&](const auto& items) { return items[Pick(items.size())]; };
        const struct {
            int weight;  // Reset and Clear are the rarest
            const char* name;
            std::function<void()> play;
        } commands[] = {
            {16, "Select", [&] { e.Select(AnyRow()); }},
            {8, "Rename", [&] { e.Rename(AnyName() + (Coin() ? " 2" : "")); }},
            {16, "ChangeFunction",
             [&] {
                 e.ChangeFunction(Pick(10) == 0 ? std::string_view() : any(FunctionBoxItems()));
             }},
            {8, "ChooseColumn",
             [&] { e.ChooseColumn(Coin() ? EditorColumn::Target : EditorColumn::Variables); }},
            {16, "ChooseVariableItem",
             [&] {
                 e.ChooseVariableItem(!view.variableChoices.empty() && Pick(4) != 0
                                          ? any(view.variableChoices)
                                          : AnyName());
             }},
            {8, "AddVariable", [&] { e.AddVariable(); }},
            {8, "RemoveVariable", [&] { e.RemoveVariable(); }},
            {8, "ClearVariable", [&] { e.ClearVariable(); }},
            {8, "SetJoint", [&] { e.SetJoint(Pick(kJointCount), Coin()); }},
            {8, "TickJointGroup", [&] { e.TickJointGroup(static_cast<JointGroup>(Pick(6))); }},
            {8, "ChangeReferenceSystem",
             [&] {
                 e.ChangeReferenceSystem(Coin() || view.referenceChoices.empty()
                                             ? std::string()
                                             : any(view.referenceChoices));
             }},
            {8, "SetOutput", [&] { e.SetOutput(Coin()); }},
            {8, "SetStatistics", [&] { e.SetStatistics(Coin()); }},
            {8, "SetDynamic", [&] { e.SetDynamic(Coin()); }},
            {24, "SetEnabled", [&] { e.SetEnabled(AnyRow(), Coin()); }},
            {8, "Output on/off", [&] { Coin() ? e.OutputOn() : e.OutputOff(); }},
            {8, "Statistics on/off", [&] { Coin() ? e.StatisticsOn() : e.StatisticsOff(); }},
            {8, "Dynamic on/off", [&] { Coin() ? e.DynamicOn() : e.DynamicOff(); }},
            {8, "Enable/Disable All", [&] { Coin() ? e.EnableAll() : e.DisableAll(); }},
            {8, "Enable/Disable Dyad", [&] { Coin() ? e.EnableDyad() : e.DisableDyad(); }},
            {8, "EnableOnly", [&] { e.EnableOnly({Pick(workspace_.parameters.size())}); }},
            {8, "New", [&] { e.New(); }},
            {8, "Delete", [&] { e.Delete(); }},
            {16, "MoveUp", [&] { e.MoveUp(); }},
            {14, "MoveDown", [&] { e.MoveDown(); }},
            {1, "Reset", [&] { e.Reset(); }},
            {1, "Clear", [&] { e.Clear(); }},
        };
        int total = 0;
        for (const auto& command : commands)
            total += command.weight;
        int drawn = static_cast<int>(Pick(static_cast<std::size_t>(total)));
        for (const auto& command : commands) {
            if ((drawn -= command.weight) < 0) {
                command.play();
                return command.name;
            }
        }
        return "";
    }

    const std::vector<ParameterDefinition>& Rows() const { return workspace_.parameters; }

  private:
    std::mt19937 random_;
    RandomPrompt prompt_;
    Workspace workspace_;
    std::optional<ParameterListEditor> editor_;
};

TEST(ParameterListEditorProperty, EveryCommandSequenceLeavesACompilableList) {
    std::vector<ParameterDefinition> defaultList;
    CreateDefaultParameterList(defaultList);
    InputVariableTable table;
    DataFieldBindings bindings;
    testing::ScriptedPrompt compilePrompt;
    ParameterArray array;
    for (unsigned seed = 1; seed <= 10000; ++seed) {
        RandomSession session(defaultList, seed);
        std::string played;
        const std::size_t length = 1 + session.Pick(12);
        for (std::size_t step = 0; step < length; ++step)
            played += std::string(session.Step()) + " ";
        const CompileOutcome outcome =
            InitParameterListArray(array, session.Rows(), table, bindings, false, compilePrompt);
        RestoreUnnamedInputVariables(table);
        ASSERT_FALSE(outcome.failed) << "seed " << seed << ": " << played << "\n"
                                     << compilePrompt.LastText();
    }
}

}  // namespace
}  // namespace kivo
