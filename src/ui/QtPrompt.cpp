#include "ui/QtPrompt.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QThread>

namespace kivo::ui {
namespace {

QString BoxText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace("\r\n", "\n");
    result.replace('\r', '\n');
    return result;
}

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtPrompt::QtPrompt(QWidget* owner) : QObject(owner), owner_(owner) {}

void QtPrompt::OnWindowThread(const std::function<void()>& show) {
    if (QThread::currentThread() == thread()) {
        show();
        return;
    }
    QMetaObject::invokeMethod(this, show, Qt::BlockingQueuedConnection);
}

PromptAnswer QtPrompt::Ask(const PromptMessage& message) {
    PromptAnswer answer = PromptAnswer::Cancel;
    OnWindowThread([&] { answer = AskHere(message); });
    return answer;
}

std::optional<std::string> QtPrompt::AskText(const PromptMessage& message,
                                             std::string_view initial) {
    std::optional<std::string> answer;
    const std::string start(initial);
    OnWindowThread([&] { answer = AskTextHere(message, start); });
    return answer;
}

PromptAnswer QtPrompt::AskHere(const PromptMessage& message) {
    if (responder_)
        return responder_(message);
    QMessageBox box(BoxIcon(message.icon), QString::fromStdString(message.title),
                    BoxText(message.text), QMessageBox::NoButton, owner_);
    // The first button is the default; Esc gives Cancel, or No without one.
    switch (message.buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        default:
            return message.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}

std::optional<std::string> QtPrompt::AskTextHere(const PromptMessage& message,
                                                 const std::string& initial) {
    if (textResponder_)
        return textResponder_(message, initial);
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner_, QString::fromStdString(message.title), BoxText(message.text),
                              QLineEdit::Normal, QString::fromStdString(initial), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}

}  // namespace kivo::ui
