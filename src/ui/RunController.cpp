#include "ui/RunController.h"

namespace kivo::ui {

// The run's side: its sink and prompt, called on the worker thread.
class RunController::Bridge : public RunSink, public UserPrompt {
  public:
    Bridge(RunController& controller, QtPrompt& prompt)
        : controller_(controller), prompt_(prompt) {}

    void FileStarted(const RunProgress& progress) override {
        emit controller_.fileStarted(progress.fileNumber - 1);
        emit controller_.progressChanged(0);
    }
    void Progress(const RunProgress& progress) override {
        if (progress.fileSize == 0)
            return;
        const double fraction =
            static_cast<double>(progress.bytesRead) / static_cast<double>(progress.fileSize);
        emit controller_.progressChanged(static_cast<int>(fraction * kProgressMaximum));
    }
    void FileFinished(const RunProgress& progress) override {
        emit controller_.progressChanged(kProgressMaximum);
        emit controller_.fileFinished(progress.fileNumber - 1);
    }
    bool TakeCancelRequest() override { return cancel_.exchange(false) || abort_; }

    PromptAnswer Ask(const PromptMessage& message) override {
        if (abort_) {
            // The window is closing: no more questions, the run ends as soon as it can.
            if (message.id == PromptId::AbortCalculations)
                return PromptAnswer::Yes;
            return message.buttons == PromptButtons::Ok
                       ? PromptAnswer::Ok
                       : (message.buttons == PromptButtons::YesNo ? PromptAnswer::No
                                                                  : PromptAnswer::Cancel);
        }
        if (message.id == PromptId::AbortCalculations) {
            if (abort_)
                return PromptAnswer::Yes;
            const PromptAnswer answer = prompt_.Ask(message);
            if (answer != PromptAnswer::Yes && !abort_)
                emit controller_.cancelDeclined();
            return abort_ ? PromptAnswer::Yes : answer;
        }
        return prompt_.Ask(message);
    }
    std::optional<std::string> AskText(const PromptMessage& message,
                                       std::string_view initial) override {
        if (abort_)
            return std::nullopt;
        return prompt_.AskText(message, initial);
    }
    using UserPrompt::Ask;

    std::atomic<bool> cancel_{false};
    std::atomic<bool> abort_{false};

  private:
    RunController& controller_;
    QtPrompt& prompt_;
};

RunController::RunController(StudyDocument& document, QtPrompt& prompt, QObject* parent)
    : QObject(parent), document_(document), prompt_(prompt) {}

RunController::~RunController() {
    if (thread_ != nullptr) {
        bridge_->abort_ = true;
        thread_->wait();
    }
}

void RunController::Start() {
    if (thread_ != nullptr)
        return;
    bridge_ = std::make_unique<Bridge>(*this, prompt_);
    auto snapshot = std::make_shared<const Workspace>(document_.workspace());
    Bridge* bridge = bridge_.get();
    ClipCodecChooser chooser;
    if (chooser_) {
        chooser = [this, bridge](const ClipCodecRequest& request) {
            std::optional<ClipCodecChoice> choice;
            if (bridge->abort_)
                return choice;
            prompt_.OnWindowThread([&] { choice = chooser_(request); });
            return choice;
        };
    }
    thread_ = QThread::create([this, snapshot, bridge, chooser] {
        try {
            summary_ = CalculateData(*snapshot, *bridge, *bridge, chooser);
        } catch (...) {
            summary_ = RunSummary{};  // CalculateData reports its own failures
        }
    });
    connect(thread_, &QThread::finished, this, &RunController::OnThreadFinished);
    summary_ = RunSummary{};
    emit started();
    thread_->start();
}

void RunController::RequestCancel() {
    if (bridge_)
        bridge_->cancel_ = true;
}

void RunController::RequestAbort() {
    if (bridge_)
        bridge_->abort_ = true;
}

void RunController::OnThreadFinished() {
    thread_->deleteLater();
    thread_ = nullptr;
    bridge_.reset();
    if (!summary_.rowsToUncheck.empty()) {
        UncheckRowsOfRun(document_.workspace().parameters, summary_);
        document_.Changed(StudyDocument::Parameters);
    }
    emit progressChanged(0);
    emit finished();
}

}  // namespace kivo::ui
