#pragma once

#include <QAccessible>
#include <QApplication>
#include <QObject>

#include <vector>

// Every object that accessibility tools reach from the application's root, as a screen reader walks it.
inline std::vector<QObject*> AccessibleObjects()
{
    std::vector<QObject*> reached;
    std::vector<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(qApp)};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        if (!node)
            continue;
        reached.push_back(node->object());
        for (int i = 0; i < node->childCount(); ++i)
            pending.push_back(node->child(i));
    }
    return reached;
}
