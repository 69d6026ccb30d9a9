#pragma once

#include <optional>

#include "CalendarKit/Storage/CalendarStore.h"

namespace CalendarKit::Testing {

// A store in memory that can be told to fail its saves.
class MemoryStore final : public CalendarStore {
public:
    std::optional<CalendarCache> load() const override { return cache; }
    Base::Status save(const CalendarCache& value) override {
        ++saves;
        if (failSaves) return Base::makeError("disk full");
        cache = value;
        return Base::Ok{};
    }

    std::optional<CalendarCache> cache;
    bool failSaves = false;
    int saves = 0;
};

}  // namespace CalendarKit::Testing
