#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "CalendarKit/Storage/CalendarStore.h"

namespace CalendarKit {

// The snapshot in one compact JSON file. A file that is missing, not a regular
// file, too large, unreadable, undecodable or of another version reads as no
// snapshot and is left exactly as it is: it holds nothing the next successful
// refresh cannot rebuild, and it is simply replaced then.
class FileCalendarStore final : public CalendarStore {
public:
    static constexpr std::uintmax_t maxBytes = 5'000'000;

    explicit FileCalendarStore(std::filesystem::path file) : file_(std::move(file)) {}

    // <root>/Cache/calendar.json, the root being the application's data folder
    // ($XDG_DATA_HOME/OrlTradingWaylark) unless a test gives another.
    static std::filesystem::path defaultPath();
    static std::filesystem::path defaultPath(const std::filesystem::path& root);

    const std::filesystem::path& file() const { return file_; }

    std::optional<CalendarCache> load() const override;
    // Folders 0700; the file written through a 0600 temporary, flushed and
    // renamed over the old one, so a reader sees the old or the new snapshot.
    Base::Status save(const CalendarCache& cache) override;

private:
    std::filesystem::path file_;
};

}  // namespace CalendarKit
