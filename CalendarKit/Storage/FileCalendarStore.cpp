#include "CalendarKit/Storage/FileCalendarStore.h"

#include "Base/FileSystem.h"
#include "Base/Json.h"

namespace CalendarKit {

std::filesystem::path FileCalendarStore::defaultPath() {
    return defaultPath(Base::FileSystem::applicationSupportFolder());
}

std::filesystem::path FileCalendarStore::defaultPath(const std::filesystem::path& root) {
    return root / "Cache" / "calendar.json";
}

std::optional<CalendarCache> FileCalendarStore::load() const {
    const auto read = Base::FileSystem::readCapped(file_, maxBytes);
    if (read.outcome != Base::FileSystem::CappedRead::Outcome::read) return std::nullopt;
    const auto json = Base::Json::parse(read.bytes);
    if (!json) return std::nullopt;
    auto cache = fromJson<CalendarCache>(*json);
    if (!cache || cache->version != CalendarCache::currentVersion) return std::nullopt;
    return std::move(cache).value();
}

Base::Status FileCalendarStore::save(const CalendarCache& cache) {
    if (auto folder = Base::FileSystem::createFolders(file_.parent_path()); !folder) return folder;
    const Base::Result<std::string> document = toJson(cache).dump(false);
    if (!document) return document.error();
    return Base::FileSystem::writeAtomically(file_, *document);
}

}  // namespace CalendarKit
