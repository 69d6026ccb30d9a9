// What the drivers that compose the application in their own process share:
// a home of their own, a calendar whose refresh cannot reach the network,
// and looks at the application's views and at helper programs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "Base/Scheduler.h"
#include "IslandKit/Window/KeyboardHandover.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/App/Qt/AppDelegate.h"
#include "WaylarkKit/App/Qt/AppEnvironment.h"
#include "WaylarkKit/Calculator/Qt/CalculatorTabView.h"

namespace WaylarkKit::Xvfb {

// The program's data, settings and runtime folders, all under `home`.
void liveIn(const std::filesystem::path& home);

// The environment the program makes for itself, except that the calendar's
// refresh runs the real download program against an address where nothing
// listens; the keyboard moves through `keyboard` where one is given.
AppEnvironment offlineEnvironment(Base::Scheduler& scheduler, const LaunchOptions& options,
                                  const std::vector<std::string>& arguments,
                                  std::shared_ptr<IslandKit::KeyboardHandover> keyboard = nullptr);

// The views of one kind in the application's windows. They have no
// meta-object of their own, so a lookup by type would take any view for them.
template <class View>
std::vector<View*> viewsOf() {
    std::vector<View*> views;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (auto* view = dynamic_cast<View*>(widget)) views.push_back(view);
        }
    }
    return views;
}

// Every island shown has come to rest, and one is shown.
bool islandsSettled();

// What a helper program prints, trimmed.
QString outputOf(const QString& program, const QStringList& arguments);
// The window that has the keyboard itself, as xdotool names it: a child
// window given the keyboard is named, not the top-level window around it.
QString keyboardAt();

// Opens the lot-size tab of the island in use and returns it once the island
// has come to rest with it; null when it never shows.
CalculatorTabView* openLotSizeTab(AppDelegate& delegate);

}  // namespace WaylarkKit::Xvfb
