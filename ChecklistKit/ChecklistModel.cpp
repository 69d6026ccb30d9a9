#include "ChecklistKit/ChecklistModel.h"

#include <algorithm>
#include <set>

#include "ChecklistKit/ChecklistText.h"

namespace ChecklistKit {

ChecklistModel::ChecklistModel(std::shared_ptr<ChecklistStore> store, Base::Scheduler& scheduler, double saveDelay)
    : store_(std::move(store)), saver_(scheduler, saveDelay, [this] { return store_->save(state_); }) {
    if (std::optional<ChecklistState> loaded = store_->load()) state_ = std::move(*loaded);
}

ChecklistModel::~ChecklistModel() = default;

Base::Subscription ChecklistModel::observeState(std::function<void()> observer) {
    return stateChanged_.subscribe(std::move(observer));
}

Base::Subscription ChecklistModel::observeLastSaveFailed(std::function<void()> observer) {
    return saver_.observeLastSaveFailed(std::move(observer));
}

std::optional<ChecklistTemplate> ChecklistModel::activeTemplate() const {
    if (!state_.activeTemplateID) return std::nullopt;
    return templateWithID(*state_.activeTemplateID);
}

std::vector<ChecklistItem> ChecklistModel::activeItems() const {
    const std::optional<ChecklistTemplate> active = activeTemplate();
    return active ? active->countedItems() : std::vector<ChecklistItem>{};
}

std::optional<ChecklistProgress> ChecklistModel::progress() const {
    const std::optional<ChecklistTemplate> active = activeTemplate();
    if (!active) return std::nullopt;
    ChecklistProgress result;
    const auto ticks = state_.checked.find(active->id.text());
    for (const ChecklistItem& item : active->countedItems()) {
        ++result.total;
        if (ticks != state_.checked.end() &&
            std::find(ticks->second.begin(), ticks->second.end(), item.id.text()) != ticks->second.end()) {
            ++result.done;
        }
    }
    return result;
}

bool ChecklistModel::isChecked(const Base::Uuid& item) const {
    return state_.activeTemplateID && isChecked(item, *state_.activeTemplateID);
}

std::optional<std::string> ChecklistModel::choice(const Base::Uuid& item) const {
    if (!state_.activeTemplateID) return std::nullopt;
    const auto map = state_.choices.find(state_.activeTemplateID->text());
    if (map == state_.choices.end()) return std::nullopt;
    const auto entry = map->second.find(item.text());
    if (entry == map->second.end()) return std::nullopt;
    return entry->second;
}

std::optional<ChecklistTemplate> ChecklistModel::templateWithID(const Base::Uuid& id) const {
    for (const ChecklistTemplate& checklist : state_.templates) {
        if (checklist.id == id) return checklist;
    }
    return std::nullopt;
}

ChecklistTemplate* ChecklistModel::findTemplate(const Base::Uuid& id) {
    for (ChecklistTemplate& checklist : state_.templates) {
        if (checklist.id == id) return &checklist;
    }
    return nullptr;
}

ChecklistTemplate* ChecklistModel::activeTemplateInState() {
    return state_.activeTemplateID ? findTemplate(*state_.activeTemplateID) : nullptr;
}

std::pair<ChecklistTemplate*, const ChecklistItem*> ChecklistModel::resolveActive(const Base::Uuid& item) {
    ChecklistTemplate* active = activeTemplateInState();
    if (!active) return {nullptr, nullptr};
    for (const ChecklistItem& candidate : active->items) {
        if (candidate.id == item && !candidate.isBlank()) return {active, &candidate};
    }
    return {active, nullptr};
}

void ChecklistModel::toggle(const Base::Uuid& item) {
    auto [active, found] = resolveActive(item);
    if (!found) return;
    const Base::Uuid templateID = active->id;
    if (found->hasOptions()) {
        // Only a choice ticks a question, so toggling can only take it back.
        if (!isChecked(item, templateID)) return;
        apply([&] { clearChoice(item, templateID); });
        return;
    }
    apply([&] {
        const std::string templateKey = templateID.text();
        const std::string itemKey = item.text();
        std::set<std::string> ticks;
        if (auto list = state_.checked.find(templateKey); list != state_.checked.end()) {
            ticks.insert(list->second.begin(), list->second.end());
        }
        if (!ticks.erase(itemKey)) ticks.insert(itemKey);
        if (ticks.empty()) {
            state_.checked.erase(templateKey);
        } else {
            state_.checked[templateKey] = std::vector<std::string>(ticks.begin(), ticks.end());
        }
    });
}

void ChecklistModel::setChoice(const std::optional<std::string>& option, const Base::Uuid& item) {
    auto [active, found] = resolveActive(item);
    if (!found || !found->hasOptions()) return;
    const Base::Uuid templateID = active->id;
    if (!option) {
        apply([&] { clearChoice(item, templateID); });
        return;
    }
    const auto offered = std::find_if(found->options.begin(), found->options.end(),
                                      [&](const std::string& o) { return ChecklistText::equal(o, *option); });
    if (offered == found->options.end()) return;
    // The item's own spelling is stored, so the choice is one of its options byte for byte.
    const std::string chosen = *offered;
    apply([&] {
        state_.choices[templateID.text()][item.text()] = chosen;
        addTick(templateID.text(), item.text());
    });
}

void ChecklistModel::resetActive() {
    if (!state_.activeTemplateID) return;
    const std::string key = state_.activeTemplateID->text();
    apply([&] {
        state_.checked.erase(key);
        state_.choices.erase(key);
    });
}

void ChecklistModel::selectTemplate(const Base::Uuid& id) {
    if (!findTemplate(id) || state_.activeTemplateID == id) return;
    apply([&] { state_.activeTemplateID = id; });
}

bool ChecklistModel::isChecked(const Base::Uuid& item, const Base::Uuid& in) const {
    const auto list = state_.checked.find(in.text());
    if (list == state_.checked.end()) return false;
    return std::find(list->second.begin(), list->second.end(), item.text()) != list->second.end();
}

void ChecklistModel::addTick(const std::string& templateKey, const std::string& itemKey) {
    std::vector<std::string>& list = state_.checked[templateKey];
    std::set<std::string> ticks(list.begin(), list.end());
    ticks.insert(itemKey);
    list.assign(ticks.begin(), ticks.end());
}

void ChecklistModel::clearChoice(const Base::Uuid& item, const Base::Uuid& in) {
    const std::string key = in.text();
    if (auto map = state_.choices.find(key); map != state_.choices.end()) {
        map->second.erase(item.text());
        if (map->second.empty()) state_.choices.erase(map);
    }
    uncheck(item, in);
}

void ChecklistModel::uncheck(const Base::Uuid& item, const Base::Uuid& in) {
    const auto list = state_.checked.find(in.text());
    if (list == state_.checked.end()) return;
    std::erase(list->second, item.text());
    if (list->second.empty()) state_.checked.erase(list);
}

void ChecklistModel::normalize() {
    ChecklistState repaired = state_.validated();
    if (repaired == state_) return;
    state_ = std::move(repaired);
    stateChanged_.notify();
    changed();
}

Base::Status ChecklistModel::saveNormalizedCopy() const { return store_->save(state_.validated()); }

void ChecklistModel::flush() { saver_.flush(); }

void ChecklistModel::apply(const std::function<void()>& edit) {
    const ChecklistState before = state_;
    edit();
    if (state_ != before) stateChanged_.notify();
    changed();
}

void ChecklistModel::changed() { saver_.request(); }

}  // namespace ChecklistKit
