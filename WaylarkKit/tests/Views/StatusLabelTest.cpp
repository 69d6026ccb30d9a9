#include "WaylarkKit/Views/StatusLabel.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace WaylarkKit {
namespace {

using TradingCore::DataConfidence;
using TradingCore::StatusBase;

TradingCore::Evaluation evaluation(StatusBase base, std::optional<std::string> window = std::nullopt,
                                   DataConfidence confidence = DataConfidence::live) {
    TradingCore::Evaluation e;
    e.base = base;
    e.windowName = std::move(window);
    e.confidence = confidence;
    return e;
}

TEST(StatusLabelTest, Words) {
    const struct {
        TradingCore::Evaluation evaluation;
        const char* full;
        const char* abbreviated;
    } rows[] = {
        {evaluation(StatusBase::green), "Window", "Wind"},
        {evaluation(StatusBase::green, std::nullopt, DataConfidence::degraded), "Window?", "Wind?"},
        {evaluation(StatusBase::green, "Opening", DataConfidence::unknown), "Opening?", "Open?"},
        {evaluation(StatusBase::green, "Pre-session"), "Pre-session", "PS"},
        {evaluation(StatusBase::green, "Sixteen chars ok"), "Sixteen chars ok", "SCO"},
        {evaluation(StatusBase::green, "Seventeen chars!!"), "Seventeen chars\u2026", "SC"},
        // Seventeen characters, some of several code points each: cut on characters.
        {evaluation(StatusBase::green, "Cafe\u0301 e\u0301 \U0001F1FA\U0001F1F8 session1"),
         "Cafe\u0301 e\u0301 \U0001F1FA\U0001F1F8 sessio\u2026", "CE\u0301\U0001F1FA\U0001F1F8"},
        {evaluation(StatusBase::red, std::nullopt, DataConfidence::unknown), "Restricted", "Rest"},
        {evaluation(StatusBase::gray, std::nullopt, DataConfidence::degraded), "Outside", "Out"},
        {evaluation(StatusBase::amber), "Caution", "Warn"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(StatusLabel::word(row.evaluation, false), row.full);
        EXPECT_EQ(StatusLabel::word(row.evaluation, true), row.abbreviated);
    }
}

TEST(StatusLabelTest, Abbreviations) {
    const struct {
        const char* name;
        const char* abbreviation;
    } rows[] = {
        {"London", "Lond"},         {"Silver Bullet", "SB"}, {"lunch_macro", "LM"},
        {"New York Late Open", "NYL"}, {"NY", "NY"},         {"  Asia  ", "Asia"},
        {"\tKill zone\t", "KZ"},    {"-London-", "-Lon"},   {"a b c d e", "ABC"},
        {"\nLondon", "\nLon"},                       // line breaks are not trimmed
        {"e\u0301cole normale", "E\u0301N"},          // the initial is the whole cluster
        {"\u00dfhort stop", "SSS"},                  // full upper-casing: one initial, two letters
        {"\U0001F468\u200D\U0001F469\u200D\U0001F467 family", "\U0001F468\u200D\U0001F469\u200D\U0001F467F"},
        {"na\u0308i\u0308ve", "na\u0308i\u0308ve"},  // five characters, nine code points
        {"na\u0308i\u0308vete\u0301", "na\u0308i\u0308v"},
    };
    for (const auto& row : rows) EXPECT_EQ(StatusLabel::abbreviation(row.name), row.abbreviation) << row.name;
}

}  // namespace
}  // namespace WaylarkKit
