#include "MenuBarView.h"

#include "Application.h"
#include "MenuItem.h"
#include "Window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <map>
#include <optional>

namespace {
enum class EditCommand { Undo, Cut, Copy, Paste, Clear, SelectAll };

// The framework's standard Edit items, known by their names.
const std::map<std::string, EditCommand, std::less<>> kEditCommands = {
    {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},     {"EditCopy", EditCommand::Copy},
    {"EditPaste", EditCommand::Paste}, {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll},
};

QString ShortcutText(const std::string& shortcut)
{
    // "Cmd" is the command modifier of the stored notation: Ctrl here.
    QString text = QString::fromStdString(shortcut);
    text.replace("Cmd+", "Ctrl+");
    return text;
}

// What the focused text control offers at the moment; nothing when the focus is on no text control.
struct EditState {
    bool undo = false, selection = false, readOnly = false, empty = true;
};

std::optional<EditState> StateOf(QWidget* focus)
{
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        return EditState{line->isUndoAvailable(), line->hasSelectedText(), line->isReadOnly(), line->text().isEmpty()};
    if (auto* text = qobject_cast<QTextEdit*>(focus))
        return EditState{text->document()->isUndoAvailable(), text->textCursor().hasSelection(), text->isReadOnly(), text->document()->isEmpty()};
    if (auto* text = qobject_cast<QPlainTextEdit*>(focus))
        return EditState{text->document()->isUndoAvailable(), text->textCursor().hasSelection(), text->isReadOnly(), text->document()->isEmpty()};
    return std::nullopt;
}

bool Applies(EditCommand command, QWidget* focus)
{
    std::optional<EditState> state = StateOf(focus);
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

void Run(EditCommand command, QWidget* focus)
{
    if (!Applies(command, focus))
        return;
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        RunOn(command, line);
    else if (auto* text = qobject_cast<QTextEdit*>(focus))
        RunOn(command, text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        RunOn(command, plain);
}

void Dispatch(Window& window, const std::string& name)
{
    if (window.BoundMenuHandlers().Has(name)) {
        window.BoundMenuHandlers().Run(name);
        return;
    }
    if (const Application* application = _GetAppObject(); application && application->BoundMenuHandlers().Has(name)) {
        application->BoundMenuHandlers().Run(name);
        return;
    }
    if (auto command = kEditCommands.find(name); command != kEditCommands.end())
        Run(command->second, QApplication::focusWidget());
}

bool HasHandler(const Window& window, const std::string& name)
{
    const Application* application = _GetAppObject();
    return window.BoundMenuHandlers().Has(name) || (application && application->BoundMenuHandlers().Has(name));
}

void AddEntries(QMenu* menu, const MenuItem& parent, Window& window)
{
    for (int i = 0; i < parent.Count(); ++i) {
        const MenuItem& item = parent.Item(i);
        if (item.IsSeparator()) {
            menu->addSeparator()->setVisible(item.Visible());
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(item.Text()));
        action->setObjectName(QString::fromStdString(item.Name()));
        action->setVisible(item.Visible());
        if (item.KeyboardShortcut())
            action->setShortcut(QKeySequence(ShortcutText(*item.KeyboardShortcut())));
        const std::string name = item.Name();
        QObject::connect(action, &QAction::triggered, menu, [&window, name] { Dispatch(window, name); });
    }
    if (std::none_of(kEditCommands.begin(), kEditCommands.end(), [&](const auto& command) { return parent._Lookup(command.first); }))
        return;
    // Items that enable themselves follow what applies at the moment their menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &parent, &window] {
        for (int i = 0; i < parent.Count(); ++i) {
            const MenuItem& item = parent.Item(i);
            if (!item.AutoEnable() || item.IsSeparator())
                continue;
            QAction* action = menu->findChild<QAction*>(QString::fromStdString(item.Name()));
            auto command = kEditCommands.find(item.Name());
            if (action && !HasHandler(window, item.Name()) && command != kEditCommands.end())
                action->setEnabled(Applies(command->second, QApplication::focusWidget()));
        }
    });
}
}

QMenuBar* BuildMenuBarView(const MenuBar& menuBar, Window& window)
{
    auto* view = new QMenuBar;
    for (int i = 0; i < menuBar.Count(); ++i) {
        const MenuItem& menuItem = menuBar.Item(i);
        QMenu* menu = view->addMenu(QString::fromStdString(menuItem.Text()));
        menu->setObjectName(QString::fromStdString(menuItem.Name()));
        menu->menuAction()->setVisible(menuItem.Visible());
        AddEntries(menu, menuItem, window);
    }
    return view;
}
