// Counts the frames the given windows put on screen over a number of seconds,
// from the X server's damage reports, and prints them per second. Reports that
// come within a few milliseconds of each other belong to one repaint (a frame
// drawn as several rectangles), so they count once. Built for
// scripts/measure-steady; it watches from outside and costs the measured
// program nothing.
// Usage: FrameCounter <seconds> <window id>...

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <vector>

namespace {

constexpr auto sameFrame = std::chrono::milliseconds(4);

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <seconds> <window id>...\n", argv[0]);
        return 2;
    }
    const double seconds = std::strtod(argv[1], nullptr);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr), &std::free);
    if (!version) return 1;
    std::vector<xcb_damage_damage_t> watched;
    for (int i = 2; i < argc; ++i) {
        const auto window = static_cast<xcb_window_t>(std::strtoul(argv[i], nullptr, 0));
        const xcb_damage_damage_t id = xcb_generate_id(connection);
        xcb_damage_create(connection, id, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        watched.push_back(id);
    }
    xcb_flush(connection);

    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    auto lastReport = Clock::time_point{};
    long frames = 0;
    pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (poll(&watch, 1, static_cast<int>(left) + 1) < 0) break;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                xcb_damage_subtract(connection, notify->damage, XCB_NONE, XCB_NONE);
                const auto now = Clock::now();
                if (now - lastReport > sameFrame) ++frames;
                lastReport = now;
            }
            std::free(event);
        }
        xcb_flush(connection);
        if (xcb_connection_has_error(connection)) break;
    }
    std::printf("%.2f\n", static_cast<double>(frames) / seconds);
    xcb_disconnect(connection);
    return 0;
}
