#include "MenuBarView.h"

#include "Application.h"
#include "EditCommands.h"
#include "MenuItem.h"
#include "Window.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {
QString ShortcutText(const std::string& shortcut)
{
    // "Cmd" is the command modifier of the stored notation: Ctrl here.
    QString text = QString::fromStdString(shortcut);
    text.replace("Cmd+", "Ctrl+");
    return text;
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
    if (std::optional<EditCommand> command = EditCommandNamed(name))
        Run(*command, QApplication::focusWidget());
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
    bool holdsEditItems = false;
    for (int i = 0; i < parent.Count(); ++i)
        holdsEditItems = holdsEditItems || EditCommandNamed(parent.Item(i).Name());
    if (!holdsEditItems)
        return;
    // Items that enable themselves follow what applies at the moment their menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &parent, &window] {
        for (int i = 0; i < parent.Count(); ++i) {
            const MenuItem& item = parent.Item(i);
            if (!item.AutoEnable() || item.IsSeparator())
                continue;
            QAction* action = menu->findChild<QAction*>(QString::fromStdString(item.Name()));
            std::optional<EditCommand> command = EditCommandNamed(item.Name());
            if (action && !HasHandler(window, item.Name()) && command)
                action->setEnabled(CanRun(*command, QApplication::focusWidget()));
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
