#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <memory>

#include "engine/CalculationRun.h"
#include "media/ClipCodec.h"
#include "ui/QtPrompt.h"
#include "ui/StudyDocument.h"

namespace kivo::ui {

// Runs the document's study on a worker thread, with a copy of the working
// state taken at the start, so that the window stays responsive. Questions of
// the run are shown by the window's prompt while the run waits; progress and
// the current file arrive as queued signals. When the run has ended, however
// it ended, the rows the user agreed to disable are unchecked in the document
// and finished() is emitted.
class RunController : public QObject {
    Q_OBJECT
  public:
    static constexpr int kProgressMaximum = 32767;

    RunController(StudyDocument& document, QtPrompt& prompt, QObject* parent = nullptr);
    ~RunController() override;

    bool IsRunning() const { return thread_ != nullptr; }
    void Start();
    // A click on Cancel: at its next frame the run asks whether to abort.
    void RequestCancel();
    // The window is closing: the run ends at its next frame without asking.
    void RequestAbort();
    // Chooses the encoder of video clips; called on the window's thread.
    void SetClipCodecChooser(ClipCodecChooser chooser) { chooser_ = std::move(chooser); }
    const RunSummary& LastSummary() const { return summary_; }

  signals:
    void started();
    void fileStarted(int row);
    void fileFinished(int row);
    void progressChanged(int value);  // 0..kProgressMaximum
    // The user answered No to the abort question: the run goes on.
    void cancelDeclined();
    void finished();

  private:
    class Bridge;
    void OnThreadFinished();

    StudyDocument& document_;
    QtPrompt& prompt_;
    ClipCodecChooser chooser_;
    QThread* thread_ = nullptr;
    std::unique_ptr<Bridge> bridge_;
    RunSummary summary_;
};

}  // namespace kivo::ui
