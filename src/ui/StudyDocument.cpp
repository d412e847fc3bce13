#include "ui/StudyDocument.h"

#include "settings/StoredSettings.h"

namespace kivo::ui {

StudyDocument::StudyDocument(std::string decimalSymbol, std::string storePath, QObject* parent)
    : QObject(parent), workspace_(decimalSymbol), storePath_(std::move(storePath)) {}

void StudyDocument::RestoreAtStart(UserPrompt& prompt) {
    loading_ = true;
    RestoreStoredWorkspace(storePath_, workspace_, prompt);
    loading_ = false;
    Changed(Everything);
}

bool StudyDocument::RestoreFileList(UserPrompt& prompt) {
    loading_ = true;
    const bool restored =
        RestoreFromStore(StoredGroup::FileList, storePath_, workspace_, prompt).has_value();
    loading_ = false;
    if (restored)
        Changed(Options | Files | Bindings);
    return restored;
}

bool StudyDocument::RestoreDataFieldAssignments(UserPrompt& prompt) {
    const bool restored =
        RestoreFromStore(StoredGroup::DataFieldAssignments, storePath_, workspace_, prompt)
            .has_value();
    if (restored)
        Changed(Bindings);
    return restored;
}

std::optional<std::vector<ParameterDefinition>> StudyDocument::StoredParameterList(
    UserPrompt& prompt) const {
    return LoadStoredParameterList(storePath_, prompt);
}

bool StudyDocument::AskToSaveAtExit(UserPrompt& prompt) {
    return kivo::AskToSaveAtExit(workspace_, storePath_, prompt);
}

}  // namespace kivo::ui
