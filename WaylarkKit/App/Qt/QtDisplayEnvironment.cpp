#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"

#include <memory>
#include <vector>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "IslandKit/Screen/DisplayIdentity.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/Window/QtDesktop.h"
#include "WaylarkKit/App/DistinctDisplays.h"

namespace WaylarkKit {

namespace {

// What a person calls the display: its maker and model when the monitor says, else its connector.
std::string displayName(const QScreen* screen) {
    const QString model = screen->model().trimmed();
    if (model.isEmpty()) return screen->name().toStdString();
    const QString maker = screen->manufacturer().trimmed();
    return (maker.isEmpty() || model.startsWith(maker) ? model : maker + " " + model).toStdString();
}

std::optional<std::string> plainID(const QScreen* screen) {
    if (!screen) return std::nullopt;
    if (auto id = IslandKit::ScreenMetricsReader::stableID(screen)) return id;
    return IslandKit::DisplayIdentity::stableID(std::nullopt, screen->name().toStdString());
}

struct IdentifiedScreen {
    QScreen* screen;
    DisplayInfo info;
};

// The screens with a stable identifier, in the desktop's order, each with its own.
std::vector<IdentifiedScreen> identifiedScreens() {
    std::vector<QScreen*> screens;
    std::vector<DisplayInfo> displays;
    std::vector<std::string> connectors;
    for (QScreen* screen : QGuiApplication::screens()) {
        const auto id = plainID(screen);
        if (!id) continue;
        screens.push_back(screen);
        displays.push_back({*id, displayName(screen), IslandKit::ScreenMetricsReader::isBuiltIn(screen)});
        connectors.push_back(screen->name().toStdString());
    }
    makeDistinct(displays, connectors);
    std::vector<IdentifiedScreen> result;
    for (std::size_t i = 0; i < screens.size(); ++i) result.push_back({screens[i], std::move(displays[i])});
    return result;
}

}  // namespace

std::vector<DisplayInfo> QtDisplayEnvironment::connected() const {
    std::vector<DisplayInfo> displays;
    for (auto& identified : identifiedScreens()) displays.push_back(std::move(identified.info));
    return displays;
}

QScreen* QtDisplayEnvironment::screen(const ScreenRef& ref) {
    if (ref.isMainScreen()) return QGuiApplication::primaryScreen();
    for (const auto& identified : identifiedScreens()) {
        if (identified.info.id == ref.displayID) return identified.screen;
    }
    return nullptr;
}

IslandKit::ScreenMetrics QtDisplayEnvironment::metrics(const std::string& displayID) const {
    return IslandKit::ScreenMetricsReader::metrics(screen(ScreenRef{displayID}));
}

IslandKit::Point QtDisplayEnvironment::pointer() const { return IslandKit::QtDesktop::toDesktop(QCursor::pos()); }

bool QtDisplayEnvironment::hasMainScreen() const { return QGuiApplication::primaryScreen() != nullptr; }

Base::Subscription QtDisplayEnvironment::observeChanges(std::function<void()> onChange) {
    // One context object owns every connection: dropping it disconnects them all.
    auto context = std::make_shared<std::unique_ptr<QObject>>(std::make_unique<QObject>());
    QObject* owner = context->get();
    auto watch = [owner, onChange](QScreen* screen) {
        QObject::connect(screen, &QScreen::geometryChanged, owner, [onChange] { onChange(); });
        QObject::connect(screen, &QScreen::availableGeometryChanged, owner, [onChange] { onChange(); });
    };
    for (QScreen* screen : QGuiApplication::screens()) watch(screen);
    auto* application = qGuiApp;
    QObject::connect(application, &QGuiApplication::screenAdded, owner, [watch, onChange](QScreen* screen) {
        watch(screen);
        onChange();
    });
    QObject::connect(application, &QGuiApplication::screenRemoved, owner, [onChange] { onChange(); });
    QObject::connect(application, &QGuiApplication::primaryScreenChanged, owner, [onChange] { onChange(); });
    return Base::Subscription([context] { context->reset(); });
}

}  // namespace WaylarkKit
