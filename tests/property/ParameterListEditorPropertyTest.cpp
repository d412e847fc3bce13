#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "params/CompileTestSupport.h"
#include "core/Workspace.h"
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

    // Plays one command and returns its name.
    const char* Step() {
        ParameterListEditor& e = *editor_;
        const EditorView view = e.View();
        switch (Pick(32)) {
            case 0:
            case 1:
                e.Select(AnyRow());
                return "Select";
            case 2:
                e.Rename(AnyName() + (Coin() ? " 2" : ""));
                return "Rename";
            case 3:
            case 4: {
                const auto& items = FunctionBoxItems();
                e.ChangeFunction(Pick(10) == 0 ? std::string_view() : items[Pick(items.size())]);
                return "ChangeFunction";
            }
            case 5:
                e.ChooseColumn(Coin() ? EditorColumn::Target : EditorColumn::Variables);
                return "ChooseColumn";
            case 6:
            case 7:
                if (!view.variableChoices.empty() && Pick(4) != 0)
                    e.ChooseVariableItem(view.variableChoices[Pick(view.variableChoices.size())]);
                else
                    e.ChooseVariableItem(AnyName());
                return "ChooseVariableItem";
            case 8:
                e.AddVariable();
                return "AddVariable";
            case 9:
                e.RemoveVariable();
                return "RemoveVariable";
            case 10:
                e.ClearVariable();
                return "ClearVariable";
            case 11:
                e.SetJoint(Pick(kJointCount), Coin());
                return "SetJoint";
            case 12:
                e.TickJointGroup(static_cast<JointGroup>(Pick(6)));
                return "TickJointGroup";
            case 13:
                e.ChangeReferenceSystem(
                    Coin() || view.referenceChoices.empty()
                        ? std::string()
                        : view.referenceChoices[Pick(view.referenceChoices.size())]);
                return "ChangeReferenceSystem";
            case 14:
                e.SetOutput(Coin());
                return "SetOutput";
            case 15:
                e.SetStatistics(Coin());
                return "SetStatistics";
            case 16:
                e.SetDynamic(Coin());
                return "SetDynamic";
            case 17:
            case 18:
            case 19:
                e.SetEnabled(AnyRow(), Coin());
                return "SetEnabled";
            case 20:
                Coin() ? e.OutputOn() : e.OutputOff();
                return "Output on/off";
            case 21:
                Coin() ? e.StatisticsOn() : e.StatisticsOff();
                return "Statistics on/off";
            case 22:
                Coin() ? e.DynamicOn() : e.DynamicOff();
                return "Dynamic on/off";
            case 23:
                Coin() ? e.EnableAll() : e.DisableAll();
                return "Enable/Disable All";
            case 24:
                Coin() ? e.EnableDyad() : e.DisableDyad();
                return "Enable/Disable Dyad";
            case 25:
                e.EnableOnly({Pick(workspace_.parameters.size())});
                return "EnableOnly";
            case 26:
                e.New();
                return "New";
            case 27:
                e.Delete();
                return "Delete";
            case 28:
            case 29:
                e.MoveUp();
                return "MoveUp";
            case 30:
                e.MoveDown();
                return "MoveDown";
            default:
                switch (Pick(8)) {
                    case 0:
                        e.Reset();
                        return "Reset";
                    case 1:
                        e.Clear();
                        return "Clear";
                    default:
                        e.MoveDown();
                        return "MoveDown";
                }
        }
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
