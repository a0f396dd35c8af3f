#include "platform/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {

struct MsgBoxState {
    MsgBoxService::Answerer script;
    QList<MsgBoxRequest> history;
};

MsgBoxState& State() {
    static MsgBoxState state;
    return state;
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgResult result;
};

// The buttons of each set, in the order they stand in the box.
std::vector<ButtonChoice> ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return {{QMessageBox::Ok, MsgResult::OK}};
        case MsgButtons::OKCancel:
            return {{QMessageBox::Ok, MsgResult::OK}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::YesNo:
            return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
        case MsgButtons::YesNoCancel:
            return {{QMessageBox::Yes, MsgResult::Yes},
                    {QMessageBox::No, MsgResult::No},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::RetryCancel:
            return {{QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
    }
    return {{QMessageBox::Ok, MsgResult::OK}};
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

MsgResult ShowRealBox(const MsgBoxRequest& request) {
    const std::vector<ButtonChoice> choices = ButtonsOf(request.buttons);
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(IconOf(request.icon));
    box.setWindowTitle(request.title.isEmpty() ? QGuiApplication::applicationDisplayName()
                                               : request.title);
    box.setText(request.text);
    QMessageBox::StandardButtons set;
    for (const ButtonChoice& choice : choices) set |= choice.button;
    box.setStandardButtons(set);
    const size_t index =
        request.defaultButton >= 0 && size_t(request.defaultButton) < choices.size()
            ? size_t(request.defaultButton)
            : 0;
    box.setDefaultButton(choices[index].button);
    box.exec();

    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const ButtonChoice& choice : choices) {
        if (choice.button == clicked) return choice.result;
    }
    // Closed without a button: the box's escape answer.
    for (const ButtonChoice& choice : choices) {
        if (choice.result == MsgResult::Cancel) return choice.result;
    }
    return choices.back().result;
}

}  // namespace

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                 int defaultButton) {
    MsgBoxRequest request;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    MsgBoxState& state = State();
    state.history.append(request);
    if (state.script) return state.script(request);
    return ShowRealBox(request);
}

void MsgBoxService::SetScript(Answerer answerer) {
    State().script = std::move(answerer);
}

const QList<MsgBoxRequest>& MsgBoxService::History() {
    return State().history;
}

void MsgBoxService::ClearHistory() {
    State().history.clear();
}
