#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Base/ManualScheduler.h"
#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/ChecklistStore.h"

namespace ChecklistKit::Testing {

using Strings = std::vector<std::string>;

// A readable id whose text sorts by `n`: 00000000-0000-4000-8000-00000000000n.
inline Base::Uuid uuid(unsigned n) {
    char text[37];
    std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012X", n);
    return *Base::Uuid::fromText(text);
}

inline std::string key(unsigned n) { return uuid(n).text(); }

// Remembers every save.
struct RecordingChecklistStore final : ChecklistStore {
    std::optional<ChecklistState> initial;
    std::vector<ChecklistState> saves;

    std::optional<ChecklistState> load() override { return initial; }
    Base::Status save(const ChecklistState& state) override {
        saves.push_back(state);
        return Base::Ok{};
    }
};

// A model on a recording store and the manual clock, counting its notifications.
class ModelFixture {
protected:
    ChecklistModel& makeModel(std::optional<ChecklistState> initial, double delay = 0.4) {
        store = std::make_shared<RecordingChecklistStore>();
        store->initial = std::move(initial);
        model.emplace(store, scheduler, delay);
        subscription = model->observeState([this] { ++notifications; });
        notifications = 0;
        return *model;
    }
    // Saves made once every pending delay has passed.
    std::size_t saves() {
        scheduler.advance(1);
        return store->saves.size();
    }

    Base::ManualScheduler scheduler;
    std::shared_ptr<RecordingChecklistStore> store;
    std::optional<ChecklistModel> model;
    Base::Subscription subscription;
    int notifications = 0;
};

}  // namespace ChecklistKit::Testing
