#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "Base/Text.h"
#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/ChecklistText.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

// Builds checklist states the way a damaged or hand-edited file might hold
// them: repeated ids, keys of nothing, lower-case keys, texts of control
// characters, spaces and combining marks, texts just around every limit.
class HostileStates {
public:
    explicit HostileStates(std::uint64_t seed) : random_(seed) {
        for (unsigned i = 0; i < 6; ++i) templatePool_.push_back(Testing::uuid(0xA00 + i));
        for (unsigned i = 0; i < 10; ++i) itemPool_.push_back(Testing::uuid(0xB00 + i));
    }

    ChecklistState next() {
        ChecklistState state;
        state.version = pick(4) == 0 ? 2 : 1;
        const std::size_t templateCount = pick(25) == 0 ? 28 + pick(10) : pick(5);
        for (std::size_t t = 0; t < templateCount; ++t) state.templates.push_back(nextTemplate());
        if (pick(5) != 0) state.activeTemplateID = pick(2) ? templatePool_[pick(templatePool_.size())] : Base::Uuid::random();
        if (pick(3) != 0 && !state.templates.empty()) {
            state.activeTemplateID = state.templates[pick(state.templates.size())].id;
        }
        // Ticks and choices mostly aimed at what exists, with strays.
        for (const ChecklistTemplate& checklist : state.templates) {
            const std::string templateKey = someKey(checklist.id);
            for (const ChecklistItem& item : checklist.items) {
                if (pick(2)) state.checked[templateKey].push_back(someKey(item.id));
                if (pick(5) == 0) state.checked[templateKey].push_back(someKey(item.id));  // repeated
                if (pick(2)) state.choices[templateKey][someKey(item.id)] = someChoice(item);
            }
            if (pick(4) == 0) state.checked[templateKey];  // an empty list
            if (pick(4) == 0) state.choices[templateKey];  // an empty map
        }
        if (pick(3) == 0) state.checked[Base::Uuid::random().text()].push_back(Base::Uuid::random().text());
        if (pick(3) == 0) state.choices["not a key"]["nor this"] = text(5);
        return state;
    }

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    ChecklistTemplate nextTemplate() {
        ChecklistTemplate checklist;
        checklist.id = pick(2) ? templatePool_[pick(templatePool_.size())] : Base::Uuid::random();
        checklist.name = nearLimit(ChecklistLimits::maxNameLength);
        const std::size_t itemCount = pick(25) == 0 ? 55 + pick(12) : pick(7);
        for (std::size_t i = 0; i < itemCount; ++i) {
            ChecklistItem item;
            item.id = pick(3) ? itemPool_[pick(itemPool_.size())] : Base::Uuid::random();
            item.text = nearLimit(ChecklistLimits::maxItemLength);
            if (pick(2)) {
                const std::size_t count = pick(9);
                for (std::size_t k = 0; k < count; ++k) item.options.push_back(nearLimit(ChecklistLimits::maxOptionLength));
                if (!item.options.empty() && pick(3) == 0) item.options.push_back(item.options.front());
            }
            checklist.items.push_back(std::move(item));
        }
        return checklist;
    }

    // The key as stored, or a lower-case or otherwise wrong spelling of it.
    std::string someKey(const Base::Uuid& id) {
        std::string k = id.text();
        switch (pick(10)) {
        case 0:
            for (char& ch : k) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            break;
        case 1: return Base::Uuid::random().text();
        case 2: return k + " ";
        default: break;
        }
        return k;
    }

    // Mostly an option as stored, as it will read once cleaned, or its cut.
    std::string someChoice(const ChecklistItem& item) {
        if (item.options.empty() || pick(5) == 0) return text(4);
        const std::string& option = item.options[pick(item.options.size())];
        switch (pick(3)) {
        case 0: return option;
        case 1: return ChecklistText::clean(option, ChecklistLimits::maxOptionLength, true);
        default: return Base::Text::graphemePrefix(Base::Text::trimmed(option), ChecklistLimits::maxOptionLength);
        }
    }

    // Random hostile text, often of a length around `limit` with spaces near the cut.
    std::string nearLimit(std::size_t limit) {
        switch (pick(8)) {
        case 0: return text(limit - 3 + pick(7));
        case 1: {
            // A cut that ends just after a space.
            std::string s = plain(limit - 1 - pick(2));
            s += " ";
            return s + text(pick(4));
        }
        default: return text(pick(12));
        }
    }

    std::string plain(std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('a' + pick(26));
        return s;
    }

    std::string text(std::size_t pieces) {
        static const char* const alphabet[] = {
            "a", "B", "z", "7", ",", " ", " ", "\t", "\n", "\r", "\v", "\f", "\x7F", "\u0085", "\u00A0", "\u2028",
            "\u2029", "\u3000", "\u200B", "\u200D", "\uFEFF", "\u00AD", "\u0301", "e\u0301", "\u00E9", "\U0001F600",
            "\U0001F468\u200D\U0001F469", "\U0001F1EB\U0001F1F7", "\u1100\u1161", "\xFF", "\xC3", "\u0D4E", "\u0600",
        };
        std::string s;
        for (std::size_t i = 0; i < pieces; ++i) s += alphabet[pick(std::size(alphabet))];
        return s;
    }

    std::mt19937_64 random_;
    std::vector<Base::Uuid> templatePool_;
    std::vector<Base::Uuid> itemPool_;
};

// Every limit and invariant a repaired state keeps; the first broken one, or "".
std::string brokenInvariant(const ChecklistState& state) {
    using namespace ChecklistLimits;
    if (state.version != 1) return "version";
    if (state.templates.size() > maxTemplates) return "too many templates";
    std::map<std::string, const ChecklistTemplate*> byKey;
    for (const ChecklistTemplate& t : state.templates) {
        if (!byKey.emplace(t.id.text(), &t).second) return "repeated template id";
        if (t.name.empty() || Base::Text::graphemeCount(t.name) > maxNameLength) return "name length";
        if (ChecklistText::clean(t.name, maxNameLength, true) != t.name) return "name not clean: " + t.name;
        if (t.items.size() > maxItemsPerTemplate) return "too many items";
        std::set<Base::Uuid> itemIds;
        for (const ChecklistItem& item : t.items) {
            if (!itemIds.insert(item.id).second) return "repeated item id";
            if (item.isBlank()) return "blank item";
            if (ChecklistText::clean(item.text, maxItemLength, true) != item.text) return "item not clean: " + item.text;
            if (item.options.size() > maxOptionsPerItem) return "too many options";
            if (ChecklistText::options(item.options) != item.options) return "options not clean";
            for (const std::string& o : item.options) {
                if (o.empty() || Base::Text::graphemeCount(o) > maxOptionLength) return "option length";
            }
        }
    }
    if (state.templates.empty() != !state.activeTemplateID) return "active template presence";
    if (state.activeTemplateID && !byKey.count(state.activeTemplateID->text())) return "active names nothing";

    const auto findItem = [](const ChecklistTemplate& t, const std::string& k) -> const ChecklistItem* {
        for (const ChecklistItem& item : t.items) {
            if (item.id.text() == k) return &item;
        }
        return nullptr;
    };
    for (const auto& [k, list] : state.checked) {
        if (!byKey.count(k)) return "ticks under no template";
        if (list.empty()) return "empty tick list";
        if (!std::is_sorted(list.begin(), list.end()) || std::adjacent_find(list.begin(), list.end()) != list.end()) {
            return "tick list not sorted and unique";
        }
        for (const std::string& itemKey : list) {
            if (!findItem(*byKey.at(k), itemKey)) return "tick of no item";
        }
    }
    for (const auto& [k, map] : state.choices) {
        if (!byKey.count(k)) return "choices under no template";
        if (map.empty()) return "empty choice map";
        for (const auto& [itemKey, chosen] : map) {
            const ChecklistItem* item = findItem(*byKey.at(k), itemKey);
            if (!item) return "choice of no item";
            if (std::find(item->options.begin(), item->options.end(), chosen) == item->options.end()) {
                return "choice not offered";
            }
        }
    }
    for (const ChecklistTemplate& t : state.templates) {
        const std::string k = t.id.text();
        for (const ChecklistItem& item : t.items) {
            if (!item.hasOptions()) continue;
            const bool ticked = state.checked.count(k) &&
                                std::count(state.checked.at(k).begin(), state.checked.at(k).end(), item.id.text());
            const bool chosen = state.choices.count(k) && state.choices.at(k).count(item.id.text());
            if (ticked != chosen) return "question ticked without its choice, or the reverse";
        }
    }
    return "";
}

TEST(ChecklistRepairPropertyTest, KeepsEveryInvariantAndIsIdempotent) {
    const std::uint64_t seed = std::random_device{}();
    HostileStates states(seed);
    for (int run = 0; run < 2000; ++run) {
        const ChecklistState input = states.next();
        const ChecklistState once = input.validated();
        const std::string broken = brokenInvariant(once);
        ASSERT_EQ(broken, "") << "seed " << seed << ", run " << run;
        ASSERT_EQ(once.validated(), once) << "seed " << seed << ", run " << run;
    }
}

}  // namespace
}  // namespace ChecklistKit
