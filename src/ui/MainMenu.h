#pragma once
// The main window's menu bar: "File", "Log", "Qso", "Strumenti" and "Aiuto", one
// action per MenuCommand. The shortcut shown after a tab in an item's text is only
// shown; the window binds the keys itself.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "ui/MenuCommand.h"

namespace tarnex {

struct MainMenu {
    std::map<MenuCommand, QAction*> actions;
    QMenu* qsoMenu = nullptr;  // also the log list's context menu

    // Fills the bar with the five menus.
    void Build(QMenuBar* bar);
};

}  // namespace tarnex
