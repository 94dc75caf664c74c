#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <string>

inline bool HasCyrillic(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x400 && c.unicode() < 0x500; });
}

// "object: text" of every text of the window still in Russian: titles, tooltips, labels,
// buttons, group boxes, tabs, menus, commands and tree items.
inline std::string RussianTexts(QWidget& window)
{
    std::string found;
    const auto check = [&found](const QObject& object, const QString& text) {
        if (HasCyrillic(text))
            found += object.objectName().toStdString() + ": " + text.toStdString() + "\n";
    };
    check(window, window.windowTitle());
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        check(*widget, widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            check(*label, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            check(*button, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            check(*group, group->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                check(*tabs, tabs->tabText(i));
        if (auto* menu = qobject_cast<QMenu*>(widget))
            check(*menu, menu->title());
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                check(*tree, (*it)->text(0));
    }
    for (QAction* action : window.findChildren<QAction*>())
        check(*action, action->text());
    return found;
}
