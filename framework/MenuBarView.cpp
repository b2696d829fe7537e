#include "framework/MenuBarView.h"

#include "framework/Application.h"
#include "framework/EditCommands.h"
#include "framework/MenuItem.h"
#include "framework/Window.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>
#include <vector>

namespace {
QString ShortcutText(const std::string& shortcut)
{
    // "Cmd" is the command modifier of the stored notation: Ctrl here.
    QString text = QString::fromStdString(shortcut);
    text.replace("Cmd+", "Ctrl+");
    return text;
}

bool HasHandler(const Window& window, const std::string& name)
{
    const Application* application = _GetAppObject();
    return window.BoundMenuHandlers().Has(name) || (application && application->BoundMenuHandlers().Has(name));
}

// Keeps the window's self-enabling Edit items enabled exactly when the control that has the window's
// focus can carry out their commands, at every moment: a shortcut the control cannot serve as a
// text command then reaches the control itself (Select All in a list selects its rows).
class EditItemsEnabler : public QObject {
public:
    EditItemsEnabler(QMenuBar* bar, Window& window) : QObject(bar), bar_(bar), window_(window)
    {
        QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
        Retarget(window.TopLevelWidget()->focusWidget());
    }

    // The control the window's Edit commands work on.
    QWidget* Target() const { return target_; }

    void Add(QAction* action, const std::string& name, EditCommand command)
    {
        items_.push_back({action, name, command});
        Refresh(items_.back());
    }

    void Refresh()
    {
        for (const Item& item : items_)
            Refresh(item);
    }

private:
    struct Item {
        QAction* action;
        std::string name;
        EditCommand command;
    };

    void Follow(QWidget* focus)
    {
        // The bar takes the focus while the keyboard walks the menus, and gives it back after.
        if (focus && focus != bar_ && focus->window() == bar_->window() && focus != target_)
            Retarget(focus);
    }

    void Retarget(QWidget* focus)
    {
        target_ = focus;
        watch_ = WatchEditState(focus, [this] { Refresh(); });
        Refresh();
    }

    void Refresh(const Item& item) const { item.action->setEnabled(HasHandler(window_, item.name) || CanRun(item.command, target_)); }

    QMenuBar* bar_;
    Window& window_;
    std::vector<Item> items_;
    QPointer<QWidget> target_;
    std::unique_ptr<QObject> watch_;
};

void Dispatch(Window& window, const std::string& name, const EditItemsEnabler& enabler)
{
    if (window.BoundMenuHandlers().Has(name)) {
        window.BoundMenuHandlers().Run(name, window);
        return;
    }
    if (const Application* application = _GetAppObject(); application && application->BoundMenuHandlers().Has(name)) {
        application->BoundMenuHandlers().Run(name, window);
        return;
    }
    if (std::optional<EditCommand> command = EditCommandNamed(name))
        Run(*command, enabler.Target());
}

void AddEntries(QMenu* menu, const MenuItem& parent, Window& window, EditItemsEnabler& enabler)
{
    bool enablesItself = false;
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
        QObject::connect(action, &QAction::triggered, menu, [&window, name, &enabler] { Dispatch(window, name, enabler); });
        if (std::optional<EditCommand> command = EditCommandNamed(name); command && item.AutoEnable()) {
            enabler.Add(action, name, *command);
            enablesItself = true;
        }
    }
    // A little changes without a signal (a field given its own text again forgets its undo history, a
    // handler may be bound late): the menu catches up as it opens.
    if (enablesItself)
        QObject::connect(menu, &QMenu::aboutToShow, &enabler, [&enabler] { enabler.Refresh(); });
}
}

QMenuBar* BuildMenuBarView(const MenuBar& menuBar, Window& window)
{
    auto* view = new QMenuBar;
    auto* enabler = new EditItemsEnabler(view, window);
    for (int i = 0; i < menuBar.Count(); ++i) {
        const MenuItem& menuItem = menuBar.Item(i);
        QMenu* menu = view->addMenu(QString::fromStdString(menuItem.Text()));
        menu->setObjectName(QString::fromStdString(menuItem.Name()));
        menu->menuAction()->setVisible(menuItem.Visible());
        AddEntries(menu, menuItem, window, *enabler);
    }
    return view;
}
