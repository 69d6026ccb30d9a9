#include "WaylarkKit/App/Qt/QtDisplayEnvironment.h"

#include <memory>
#include <vector>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "IslandKit/Screen/DisplayIdentity.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/Window/QtDesktop.h"

namespace WaylarkKit {

namespace {

// What a person calls the display: its maker and model when the monitor says, else its connector.
std::string displayName(const QScreen* screen) {
    const QString model = screen->model().trimmed();
    if (model.isEmpty()) return screen->name().toStdString();
    const QString maker = screen->manufacturer().trimmed();
    return (maker.isEmpty() || model.startsWith(maker) ? model : maker + " " + model).toStdString();
}

}  // namespace

std::optional<std::string> QtDisplayEnvironment::stableID(const QScreen* screen) {
    if (!screen) return std::nullopt;
    if (auto id = IslandKit::ScreenMetricsReader::stableID(screen)) return id;
    return IslandKit::DisplayIdentity::stableID(std::nullopt, screen->name().toStdString());
}

std::vector<DisplayInfo> QtDisplayEnvironment::connected() const {
    std::vector<DisplayInfo> displays;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const auto id = stableID(screen);
        if (!id) continue;
        displays.push_back({*id, displayName(screen), IslandKit::ScreenMetricsReader::isBuiltIn(screen)});
    }
    return displays;
}

QScreen* QtDisplayEnvironment::screen(const ScreenRef& ref) {
    if (ref.isMainScreen()) return QGuiApplication::primaryScreen();
    for (QScreen* candidate : QGuiApplication::screens()) {
        if (stableID(candidate) == ref.displayID) return candidate;
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
