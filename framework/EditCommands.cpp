#include "framework/EditCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <map>
#include <string>
#include <type_traits>

namespace {
const std::map<std::string, EditCommand, std::less<>> kEditCommands = {
    {"EditUndo", EditCommand::Undo},
    {"EditCut", EditCommand::Cut},
    {"EditCopy", EditCommand::Copy},
    {"EditPaste", EditCommand::Paste},
    {"EditClear", EditCommand::Clear},
    {"EditSelectAll", EditCommand::SelectAll},
};

struct EditState {
    bool undo = false, selection = false, readOnly = false, empty = true;
};

// Calls visit with the control cast to the text control it is, a line, a rich text or a plain text;
// says whether it is one. A const control is cast to a const text control.
template <class Widget, class Visit> bool VisitTextControl(Widget* control, Visit visit)
{
    const auto visitAs = [&]<class Text>(std::type_identity<Text>) {
        using Cast = std::conditional_t<std::is_const_v<Widget>, const Text*, Text*>;
        Cast text = qobject_cast<Cast>(control);
        if (text)
            visit(text);
        return text != nullptr;
    };
    return visitAs(std::type_identity<QLineEdit> {}) || visitAs(std::type_identity<QTextEdit> {})
        || visitAs(std::type_identity<QPlainTextEdit> {});
}

template <class TextWidget> EditState StateOfText(const TextWidget* text)
{
    if constexpr (std::is_same_v<TextWidget, QLineEdit>)
        return {text->isUndoAvailable(), text->hasSelectedText(), text->isReadOnly(), text->text().isEmpty()};
    else
        return {text->document()->isUndoAvailable(), text->textCursor().hasSelection(), text->isReadOnly(), text->document()->isEmpty()};
}

std::optional<EditState> StateOf(const QWidget* control)
{
    std::optional<EditState> state;
    VisitTextControl(control, [&state](const auto* text) { state = StateOfText(text); });
    return state;
}

template <class TextWidget> void RunOn(EditCommand command, TextWidget* text)
{
    switch (command) {
    case EditCommand::Undo:
        text->undo();
        break;
    case EditCommand::Cut:
        text->cut();
        break;
    case EditCommand::Copy:
        text->copy();
        break;
    case EditCommand::Paste:
        text->paste();
        break;
    case EditCommand::Clear:
        if constexpr (std::is_same_v<TextWidget, QLineEdit>)
            text->del();
        else
            text->textCursor().removeSelectedText();
        break;
    case EditCommand::SelectAll:
        text->selectAll();
        break;
    }
}

// A read-only switch sends the control an event but no signal.
class EditStateWatch : public QObject {
public:
    explicit EditStateWatch(std::function<void()> changed) : changed_(std::move(changed)) {}

    void Changed() const { changed_(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ReadOnlyChange)
            changed_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> changed_;
};

template <class TextWidget, class Notify> void WatchEdits(TextWidget* text, EditStateWatch* watch, Notify notify)
{
    QObject::connect(text, &TextWidget::selectionChanged, watch, notify);
    if constexpr (std::is_same_v<TextWidget, QLineEdit>)
        QObject::connect(text, &QLineEdit::textChanged, watch, notify);
    else
        // The document's own signal: a control may set its text with its own signals blocked.
        QObject::connect(text->document(), &QTextDocument::contentsChanged, watch, notify);
}
}

std::optional<EditCommand> EditCommandNamed(std::string_view itemName)
{
    auto command = kEditCommands.find(itemName);
    return command != kEditCommands.end() ? std::optional(command->second) : std::nullopt;
}

bool CanRun(EditCommand command, const QWidget* control)
{
    std::optional<EditState> state = StateOf(control);
    if (!state)
        return false;
    switch (command) {
    case EditCommand::Undo:
        return state->undo && !state->readOnly;
    case EditCommand::Cut:
        return state->selection && !state->readOnly;
    case EditCommand::Copy:
        return state->selection;
    case EditCommand::Paste:
        return !state->readOnly && !QApplication::clipboard()->text().isEmpty();
    case EditCommand::Clear:
        return state->selection && !state->readOnly;
    case EditCommand::SelectAll:
        return !state->empty;
    }
    return false;
}

void Run(EditCommand command, QWidget* control)
{
    if (!CanRun(command, control))
        return;
    VisitTextControl(control, [command](auto* text) { RunOn(command, text); });
}

std::unique_ptr<QObject> WatchEditState(QWidget* control, std::function<void()> changed)
{
    auto watch = std::make_unique<EditStateWatch>(std::move(changed));
    EditStateWatch* raw = watch.get();
    auto notify = [raw] { raw->Changed(); };
    if (!VisitTextControl(control, [raw, notify](auto* text) { WatchEdits(text, raw, notify); }))
        return watch;
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, raw, notify);
    control->installEventFilter(raw);
    return watch;
}
