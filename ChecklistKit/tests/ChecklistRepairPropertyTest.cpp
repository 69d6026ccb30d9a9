#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "Base/Text.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/ChecklistText.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using namespace ChecklistLimits;
using Testing::uuid;

// States as a damaged or hand-edited file might hold them: repeated ids, keys
// of nothing or in lower case, texts of control characters, spaces and
// combining marks, counts and lengths around every limit.
class HostileStates {
public:
    explicit HostileStates(std::uint64_t seed) : random_(seed) {}

    ChecklistState next() {
        ChecklistState state;
        state.version = pick(4) == 0 ? 2 : 1;
        const std::size_t templateCount = pick(25) == 0 ? 28 + pick(10) : pick(5);
        // Many templates test their count; keeping each of them small keeps the run cheap.
        for (std::size_t t = 0; t < templateCount; ++t) state.templates.push_back(nextTemplate(templateCount > 5));
        if (pick(4) == 0) state.activeTemplateID = someID(0xA00, 6);
        else if (!state.templates.empty()) state.activeTemplateID = state.templates[pick(state.templates.size())].id;
        for (const ChecklistTemplate& checklist : state.templates) {
            const std::string t = someKey(checklist.id);
            for (const ChecklistItem& item : checklist.items) {
                for (std::size_t n = pick(3); n > 0; --n) state.checked[t].push_back(someKey(item.id));
                if (pick(2)) state.choices[t][someKey(item.id)] = someChoice(item);
            }
            if (pick(4) == 0) state.checked[t];  // an empty list
            if (pick(4) == 0) state.choices[t];  // an empty map
        }
        return state;
    }

private:
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    // Often one of a few ids, so that repeats are common.
    Base::Uuid someID(unsigned base, unsigned pool) { return uuid(pick(2) ? base + pick(pool) : 0x10000 + pick(1 << 20)); }

    ChecklistTemplate nextTemplate(bool small) {
        ChecklistTemplate checklist{someID(0xA00, 6), text(maxNameLength), {}};
        const bool crowded = !small && pick(25) == 0;
        for (std::size_t i = crowded ? 55 + pick(12) : pick(small ? 3 : 7); i > 0; --i) {
            // The many items of a crowded template test their count, and need no long texts.
            ChecklistItem item{someID(0xB00, 10), crowded || small ? pieces(pick(3)) : text(maxItemLength), {}};
            if (pick(crowded || small ? 4 : 2) == 0) {
                for (std::size_t n = pick(9); n > 0; --n) item.options.push_back(text(maxOptionLength));
                if (!item.options.empty() && pick(3) == 0) item.options.push_back(item.options.front());
            }
            checklist.items.push_back(std::move(item));
        }
        return checklist;
    }

    // The key as written, in lower case, of something else, or with a space.
    std::string someKey(const Base::Uuid& id) {
        std::string k = id.text();
        switch (pick(10)) {
        case 0: std::transform(k.begin(), k.end(), k.begin(), [](char c) { return static_cast<char>(std::tolower(c)); }); break;
        case 1: return uuid(0x10000 + pick(1 << 20)).text();
        case 2: k += ' '; break;
        default: break;
        }
        return k;
    }

    // An option as stored, as cleaned, as cut with the space the cut left, or anything.
    std::string someChoice(const ChecklistItem& item) {
        if (item.options.empty() || pick(5) == 0) return pieces(4);
        const std::string& option = item.options[pick(item.options.size())];
        switch (pick(3)) {
        case 0: return option;
        case 1: return ChecklistText::clean(option, maxOptionLength, true);
        default: return Base::Text::cleanUserText(option, maxOptionLength, true);
        }
    }

    // Mostly short; now and then around `limit`, or with a space where the cut falls.
    std::string text(std::size_t limit) {
        switch (pick(12)) {
        case 0: return pieces(limit - 3 + pick(7));
        case 1: return std::string(limit - 1 - pick(2), static_cast<char>('a' + pick(3))) + " " + pieces(pick(4));
        default: return pieces(pick(10));
        }
    }

    std::string pieces(std::size_t count) {
        static const char* const alphabet[] = {
            "a", "B", "z", "7", ",", " ", " ", "\t", "\n", "\r", "\v", "\f", "\x7F", "\u0085", "\u00A0", "\u2028",
            "\u2029", "\u3000", "\u200B", "\u200D", "\uFEFF", "\u00AD", "\u0301", "e\u0301", "\u00E9", "\U0001F600",
            "\U0001F468\u200D\U0001F469", "\U0001F1EB\U0001F1F7", "\u1100\u1161", "\xFF", "\xC3", "\u0D4E", "\u0600",
        };
        std::string s;
        for (std::size_t i = 0; i < count; ++i) s += alphabet[pick(std::size(alphabet))];
        return s;
    }

    std::mt19937_64 random_;
};

// The first limit or invariant a repaired state breaks, or "". That every text
// is clean shows in idempotence: repair cleans every text, so a state it
// returns unchanged holds only clean ones.
std::string brokenInvariant(const ChecklistState& state) {
    if (state.version != 1) return "version";
    if (state.templates.size() > maxTemplates) return "too many templates";
    std::set<Base::Uuid> templateIDs;
    std::map<std::pair<std::string, std::string>, const ChecklistItem*> items;  // by template key and item key
    for (const ChecklistTemplate& t : state.templates) {
        if (!templateIDs.insert(t.id).second) return "repeated template id";
        if (t.name.empty() || Base::Text::graphemeCount(t.name) > maxNameLength) return "name length";
        if (t.items.size() > maxItemsPerTemplate) return "too many items";
        for (const ChecklistItem& item : t.items) {
            if (!items.emplace(std::pair(t.id.text(), item.id.text()), &item).second) return "repeated item id";
            if (item.isBlank() || Base::Text::graphemeCount(item.text) > maxItemLength) return "item text";
            if (item.options.size() > maxOptionsPerItem) return "too many options";
            std::set<std::string> distinct;
            for (const std::string& o : item.options) {
                if (o.empty() || Base::Text::graphemeCount(o) > maxOptionLength) return "option length";
                if (!distinct.insert(Base::Text::nfc(o)).second) return "repeated option";
            }
        }
    }
    if (state.templates.empty() == state.activeTemplateID.has_value()) return "active template presence";
    if (state.activeTemplateID && !templateIDs.count(*state.activeTemplateID)) return "active names nothing";

    const auto ticked = [&](const std::string& t, const std::string& i) {
        const auto list = state.checked.find(t);
        return list != state.checked.end() && std::ranges::find(list->second, i) != list->second.end();
    };
    const auto chosen = [&](const std::string& t, const std::string& i) {
        const auto map = state.choices.find(t);
        return map != state.choices.end() && map->second.count(i) == 1;
    };
    for (const auto& [t, list] : state.checked) {
        if (list.empty() || !std::ranges::is_sorted(list) || std::ranges::adjacent_find(list) != list.end()) {
            return "tick list empty, unsorted or repeating";
        }
        for (const std::string& i : list) {
            const auto item = items.find({t, i});
            if (item == items.end()) return "tick of no item";
            if (item->second->hasOptions() && !chosen(t, i)) return "question ticked without a choice";
        }
    }
    for (const auto& [t, map] : state.choices) {
        if (map.empty()) return "empty choice map";
        for (const auto& [i, option] : map) {
            const auto item = items.find({t, i});
            if (item == items.end() || std::ranges::find(item->second->options, option) == item->second->options.end()) {
                return "choice not offered";
            }
            if (!ticked(t, i)) return "choice without its tick";
        }
    }
    return "";
}

TEST(ChecklistRepairPropertyTest, KeepsEveryInvariantAndIsIdempotent) {
    const std::uint64_t seed = std::random_device{}();
    HostileStates states(seed);
    for (int run = 0; run < 2000; ++run) {
        const ChecklistState once = states.next().validated();
        ASSERT_EQ(brokenInvariant(once), "") << "seed " << seed << ", run " << run;
        const ChecklistState twice = once.validated();
        ASSERT_TRUE(twice == once) << "seed " << seed << ", run " << run << ", repaired once:\n"
                                   << toJson(once).dump(true).value() << "\ntwice:\n" << toJson(twice).dump(true).value();
    }
}

}  // namespace
}  // namespace ChecklistKit
