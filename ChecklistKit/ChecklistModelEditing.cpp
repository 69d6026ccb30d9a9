#include <algorithm>

#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/ChecklistText.h"

namespace ChecklistKit {

namespace {

ChecklistItem* findItem(ChecklistTemplate& checklist, const Base::Uuid& id) {
    for (ChecklistItem& item : checklist.items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

bool sameOptions(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const std::string& x, const std::string& y) { return ChecklistText::equal(x, y); });
}

}  // namespace

std::optional<Base::Uuid> ChecklistModel::createTemplate(std::string_view name) {
    if (state_.templates.size() >= ChecklistLimits::maxTemplates) return std::nullopt;
    std::string cleaned = ChecklistText::clean(name, ChecklistLimits::maxNameLength, true);
    if (cleaned.empty()) cleaned = "New checklist";
    const Base::Uuid id = Base::Uuid::random();
    apply([&] {
        state_.templates.push_back(ChecklistTemplate{id, std::move(cleaned), {}});
        state_.activeTemplateID = id;
    });
    return id;
}

void ChecklistModel::renameTemplate(const Base::Uuid& id, std::string_view name) {
    ChecklistTemplate* checklist = findTemplate(id);
    if (!checklist) return;
    std::string cleaned = ChecklistText::clean(name, ChecklistLimits::maxNameLength, false);
    apply([&] { checklist->name = std::move(cleaned); });
}

void ChecklistModel::deleteTemplate(const Base::Uuid& id) {
    const auto found = std::find_if(state_.templates.begin(), state_.templates.end(),
                                    [&](const ChecklistTemplate& t) { return t.id == id; });
    if (found == state_.templates.end()) return;
    apply([&] {
        state_.templates.erase(found);
        const std::string key = id.text();
        state_.checked.erase(key);
        state_.choices.erase(key);
        if (state_.activeTemplateID == id) {
            state_.activeTemplateID =
                state_.templates.empty() ? std::nullopt : std::optional<Base::Uuid>(state_.templates.front().id);
        }
    });
}

std::optional<Base::Uuid> ChecklistModel::addItem(const Base::Uuid& to, std::string_view text) {
    ChecklistTemplate* checklist = findTemplate(to);
    if (!checklist || checklist->items.size() >= ChecklistLimits::maxItemsPerTemplate) return std::nullopt;
    // A blank item is kept: the editor adds the line first and its text after.
    std::string cleaned = ChecklistText::clean(text, ChecklistLimits::maxItemLength, false);
    const Base::Uuid id = Base::Uuid::random();
    apply([&] { checklist->items.push_back(ChecklistItem{id, std::move(cleaned), {}}); });
    return id;
}

void ChecklistModel::updateItem(const Base::Uuid& item, const Base::Uuid& in, std::string_view text) {
    ChecklistTemplate* checklist = findTemplate(in);
    ChecklistItem* target = checklist ? findItem(*checklist, item) : nullptr;
    if (!target) return;
    std::string cleaned = ChecklistText::clean(text, ChecklistLimits::maxItemLength, false);
    apply([&] { target->text = std::move(cleaned); });
}

void ChecklistModel::setOptions(const std::vector<std::string>& options, const Base::Uuid& item,
                                const Base::Uuid& in) {
    ChecklistTemplate* checklist = findTemplate(in);
    ChecklistItem* target = checklist ? findItem(*checklist, item) : nullptr;
    if (!target) return;
    std::vector<std::string> newOptions = ChecklistText::options(options);
    if (sameOptions(newOptions, target->options)) return;

    std::optional<std::string> recorded;
    if (auto map = state_.choices.find(in.text()); map != state_.choices.end()) {
        if (auto entry = map->second.find(item.text()); entry != map->second.end()) recorded = entry->second;
    }
    const bool changesKind = newOptions.empty() != target->options.empty();
    apply([&] {
        target->options = std::move(newOptions);
        if (recorded) {
            const bool stillOffered =
                std::any_of(target->options.begin(), target->options.end(),
                            [&](const std::string& o) { return ChecklistText::equal(o, *recorded); });
            if (!stillOffered) clearChoice(item, in);
        } else if (changesKind) {
            // A plain item's tick means nothing for a question, and the reverse.
            uncheck(item, in);
        }
    });
}

void ChecklistModel::removeItem(const Base::Uuid& item, const Base::Uuid& from) {
    ChecklistTemplate* checklist = findTemplate(from);
    if (!checklist) return;
    apply([&] {
        std::erase_if(checklist->items, [&](const ChecklistItem& i) { return i.id == item; });
        clearChoice(item, from);
    });
}

void ChecklistModel::moveItem(const Base::Uuid& item, const Base::Uuid& in, int offset) {
    ChecklistTemplate* checklist = findTemplate(in);
    if (!checklist) return;
    auto& items = checklist->items;
    const auto found = std::find_if(items.begin(), items.end(), [&](const ChecklistItem& i) { return i.id == item; });
    if (found == items.end()) return;
    const long from = found - items.begin();
    const long last = static_cast<long>(items.size()) - 1;
    const long to = std::clamp(from + static_cast<long>(offset), 0L, last);
    if (to == from) return;
    apply([&] {
        ChecklistItem moving = std::move(items[static_cast<std::size_t>(from)]);
        items.erase(items.begin() + from);
        items.insert(items.begin() + to, std::move(moving));
    });
}

}  // namespace ChecklistKit
