#include "IslandKit/Screen/ScreenMetricsReader.h"

#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QCoreApplication>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include "IslandKit/Screen/DisplayIdentity.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/X11.h"

namespace IslandKit::ScreenMetricsReader {

namespace {

using X11::Reply;

struct Output {
    std::uint32_t id = 0;
    std::string name;
};

// The RandR outputs of the X screen, with their connector names.
std::vector<Output> outputs(xcb_connection_t* c) {
    std::vector<Output> result;
    Reply<xcb_randr_get_screen_resources_current_reply_t> resources(xcb_randr_get_screen_resources_current_reply(
        c, xcb_randr_get_screen_resources_current(c, X11::rootWindow(c)), nullptr));
    if (!resources) return result;
    const xcb_randr_output_t* ids = xcb_randr_get_screen_resources_current_outputs(resources.get());
    const int count = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
    for (int i = 0; i < count; ++i) {
        Reply<xcb_randr_get_output_info_reply_t> info(
            xcb_randr_get_output_info_reply(c, xcb_randr_get_output_info(c, ids[i], resources->config_timestamp), nullptr));
        if (!info) continue;
        const auto* name = reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get()));
        result.push_back({ids[i], std::string(name, static_cast<std::size_t>(xcb_randr_get_output_info_name_length(info.get())))});
    }
    return result;
}

std::optional<Output> outputOf(const QScreen* screen) {
    xcb_connection_t* c = X11::connection();
    if (!c || !screen) return std::nullopt;
    const std::string name = screen->name().toStdString();
    for (auto& output : outputs(c)) {
        if (output.name == name) return output;
    }
    return std::nullopt;
}

std::optional<EdidIdentity> edidOf(std::uint32_t output) {
    xcb_connection_t* c = X11::connection();
    if (!c) return std::nullopt;
    Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, 4, "EDID"), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
    Reply<xcb_randr_get_output_property_reply_t> property(xcb_randr_get_output_property_reply(
        c, xcb_randr_get_output_property(c, output, atom->atom, XCB_ATOM_ANY, 0, 128, 0, 0), nullptr));
    if (!property || property->format != 8) return std::nullopt;
    const auto* data = xcb_randr_get_output_property_data(property.get());
    const int length = xcb_randr_get_output_property_data_length(property.get());
    return DisplayIdentity::parseEdid(std::span<const std::uint8_t>(data, static_cast<std::size_t>(length)));
}

}  // namespace

ScreenFacts facts(const QScreen* screen) {
    ScreenFacts f;
    f.statusBarThickness = defaultStatusBarThickness;
    if (!screen) return f;
    f.frame = QtDesktop::toDesktop(screen->geometry());
    // The top inset of the available area is the desktop's panel, our menu bar.
    f.visibleFrame = QtDesktop::toDesktop(screen->availableGeometry());
    return f;
}

ScreenMetrics metrics(const QScreen* screen) { return metricsFromFacts(facts(screen)); }

std::optional<std::uint32_t> displayID(const QScreen* screen) {
    if (auto output = outputOf(screen)) return output->id;
    return std::nullopt;
}

std::optional<std::string> stableID(const QScreen* screen) {
    const auto output = outputOf(screen);
    if (!output) return std::nullopt;
    return DisplayIdentity::stableID(edidOf(output->id), output->name);
}

bool isBuiltIn(const QScreen* screen) {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    const auto output = outputOf(screen);
    return output && DisplayIdentity::isBuiltInConnector(output->name);
}

QScreen* builtInScreen() {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    for (QScreen* screen : QGuiApplication::screens()) {
        if (isBuiltIn(screen)) return screen;
    }
    return nullptr;
}

}  // namespace IslandKit::ScreenMetricsReader
