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
    {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},     {"EditCopy", EditCommand::Copy},
    {"EditPaste", EditCommand::Paste}, {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll},
};

struct EditState {
    bool undo = false, selection = false, readOnly = false, empty = true;
};

std::optional<EditState> StateOf(const QWidget* control)
{
    if (auto* line = qobject_cast<const QLineEdit*>(control))
        return EditState{line->isUndoAvailable(), line->hasSelectedText(), line->isReadOnly(), line->text().isEmpty()};
    if (auto* text = qobject_cast<const QTextEdit*>(control))
        return EditState{text->document()->isUndoAvailable(), text->textCursor().hasSelection(), text->isReadOnly(), text->document()->isEmpty()};
    if (auto* text = qobject_cast<const QPlainTextEdit*>(control))
        return EditState{text->document()->isUndoAvailable(), text->textCursor().hasSelection(), text->isReadOnly(), text->document()->isEmpty()};
    return std::nullopt;
}

template <class TextWidget>
void RunOn(EditCommand command, TextWidget* text)
{
    switch (command) {
    case EditCommand::Undo: text->undo(); break;
    case EditCommand::Cut: text->cut(); break;
    case EditCommand::Copy: text->copy(); break;
    case EditCommand::Paste: text->paste(); break;
    case EditCommand::Clear:
        if constexpr (std::is_same_v<TextWidget, QLineEdit>)
            text->del();
        else
            text->textCursor().removeSelectedText();
        break;
    case EditCommand::SelectAll: text->selectAll(); break;
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

template <class TextWidget, class Notify>
void WatchDocumentEdit(TextWidget* text, EditStateWatch* watch, Notify notify)
{
    // The document's own signals: a control may set its text with its own signals blocked.
    QObject::connect(text, &TextWidget::selectionChanged, watch, notify);
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
    case EditCommand::Undo: return state->undo && !state->readOnly;
    case EditCommand::Cut: return state->selection && !state->readOnly;
    case EditCommand::Copy: return state->selection;
    case EditCommand::Paste: return !state->readOnly && !QApplication::clipboard()->text().isEmpty();
    case EditCommand::Clear: return state->selection && !state->readOnly;
    case EditCommand::SelectAll: return !state->empty;
    }
    return false;
}

void Run(EditCommand command, QWidget* control)
{
    if (!CanRun(command, control))
        return;
    if (auto* line = qobject_cast<QLineEdit*>(control))
        RunOn(command, line);
    else if (auto* text = qobject_cast<QTextEdit*>(control))
        RunOn(command, text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        RunOn(command, plain);
}

std::unique_ptr<QObject> WatchEditState(QWidget* control, std::function<void()> changed)
{
    auto watch = std::make_unique<EditStateWatch>(std::move(changed));
    EditStateWatch* raw = watch.get();
    auto notify = [raw] { raw->Changed(); };
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(line, &QLineEdit::textChanged, raw, notify);
        QObject::connect(line, &QLineEdit::selectionChanged, raw, notify);
    } else if (auto* text = qobject_cast<QTextEdit*>(control)) {
        WatchDocumentEdit(text, raw, notify);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        WatchDocumentEdit(plain, raw, notify);
    } else {
        return watch;
    }
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, raw, notify);
    control->installEventFilter(raw);
    return watch;
}
