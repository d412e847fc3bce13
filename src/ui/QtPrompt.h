#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/UserPrompt.h"

namespace kivo::ui {

// The window's UserPrompt: every message and question is a message box owned
// by the window, shown on the window's thread. A run on a worker thread asks
// through the same prompt and waits for the answer.
//
// Tests install a responder that answers instead of a box.
class QtPrompt : public QObject, public UserPrompt {
    Q_OBJECT
  public:
    using Responder = std::function<PromptAnswer(const PromptMessage&)>;
    using TextResponder =
        std::function<std::optional<std::string>(const PromptMessage&, std::string_view)>;

    explicit QtPrompt(QWidget* owner);

    PromptAnswer Ask(const PromptMessage& message) override;
    std::optional<std::string> AskText(const PromptMessage& message,
                                       std::string_view initial) override;
    using UserPrompt::Ask;

    void SetResponder(Responder responder) { responder_ = std::move(responder); }
    void SetTextResponder(TextResponder responder) { textResponder_ = std::move(responder); }

    // Runs `show` on the window's thread and waits for it (directly when
    // called there).
    void OnWindowThread(const std::function<void()>& show);

  private:
    PromptAnswer AskHere(const PromptMessage& message);
    std::optional<std::string> AskTextHere(const PromptMessage& message,
                                           const std::string& initial);

    QPointer<QWidget> owner_;
    Responder responder_;
    TextResponder textResponder_;
};

}  // namespace kivo::ui
