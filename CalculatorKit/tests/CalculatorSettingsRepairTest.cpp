#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include <random>

#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::custom;
using CalculatorKitTest::dec;

TEST(CalculatorSettingsRepairTest, NumbersOutOfBoundsTakeTheDefaultNotTheBound) {
    struct Row {
        Decimal CalculatorSettings::*field;
        const char* value;
        const char* expected;
    };
    using S = CalculatorSettings;
    const Row rows[] = {
        {&S::balance, "1000000000", "1000000000"},   {&S::balance, "1000000000.01", "10000"},
        {&S::balance, "0", "10000"},                 {&S::riskPercent, "100", "100"},
        {&S::riskPercent, "0", "0.5"},               {&S::riskPercent, "100.0001", "0.5"},
        {&S::riskAmount, "1000000000", "1000000000"}, {&S::riskAmount, "-1", "100"},
        {&S::stopPoints, "1000000", "1000000"},      {&S::stopPoints, "0", "20"},
        {&S::stopPoints, "1000000.5", "20"},         {&S::commissionPerUnit, "0", "0"},
        {&S::commissionPerUnit, "1000", "1000"},     {&S::commissionPerUnit, "1000.01", "0"},
        {&S::commissionPerUnit, "-0.01", "0"},
    };
    for (const auto& row : rows) {
        CalculatorSettings settings;
        settings.riskMode = RiskMode::amount;  // modes are copied as they are
        settings.stopMode = StopMode::price;
        settings.*row.field = dec(row.value);
        CalculatorSettings expected = settings;
        expected.*row.field = dec(row.expected);
        EXPECT_EQ(settings.validated(), expected) << row.value;
    }
}

TEST(CalculatorSettingsRepairTest, CustomInstrumentsAreCheckedInOrderAndCapped) {
    CalculatorSettings settings;
    Instrument zeroValue = custom("custom:dup");
    zeroValue.dollarsPerPoint = Decimal();
    Instrument zeroTick = custom("custom:tick");
    zeroTick.tickSize = Decimal();
    Instrument bigStep = custom("custom:step");
    bigStep.sizeStep = Decimal(1001);
    Instrument zeroMin = custom("custom:min");
    zeroMin.minSize = Decimal();
    const std::string longest = "custom:" + std::string(73, 'x');  // 80 characters
    settings.customInstruments = {custom("Custom:caps"), custom(longest), custom(longest + "x"), zeroValue,
                                  custom("custom:dup"),  // the failed first entry took the id
                                  zeroTick, bigStep, zeroMin, custom("NQ")};
    for (int i = 1; i <= 6; ++i) settings.customInstruments.push_back(custom("custom:" + std::to_string(i)));
    settings.overrides["custom:4"] = InstrumentOverride{Decimal(2), std::nullopt, std::nullopt};
    settings.overrides["custom:5"] = settings.overrides["custom:4"];
    settings.instrumentID = "custom:6";

    const CalculatorSettings repaired = settings.validated();
    std::vector<std::string> ids;
    for (const Instrument& kept : repaired.customInstruments) ids.push_back(kept.id);
    EXPECT_EQ(ids, (std::vector<std::string>{longest, "custom:1", "custom:2", "custom:3", "custom:4"}));
    EXPECT_EQ(repaired.overrides.count("custom:4"), 1u);
    EXPECT_EQ(repaired.overrides.count("custom:5"), 0u);  // its instrument was past the fifth
    EXPECT_EQ(repaired.instrumentID, "NAS100");
    settings.instrumentID = "custom:4";
    EXPECT_EQ(settings.validated().instrumentID, "custom:4");
}

TEST(CalculatorSettingsRepairTest, RebuildsNameNoteAndMicroId) {
    struct Row {
        std::string name;
        std::string expected;
    };
    const Row rows[] = {
        {"  abcdefghijklmn", "abcdefghij"},  // cut to 12 before the trim
        {" \t \t ", "Custom"},
        {"Dow\r\nMini", "DowMini"},
        {"a\tb\u2028c\u0085d", "abcd"},
        {"\u00a0Süß Index\u3000", "Süß Index"},
        {"e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301", "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"},
    };
    for (const auto& row : rows) {
        CalculatorSettings settings;
        Instrument entry = custom("custom:n", row.name);
        entry.microID = "MNQ";
        entry.isVerified = true;
        entry.note = std::string(300, 'n');
        settings.customInstruments = {entry};
        Instrument expected = entry;
        expected.name = row.expected;
        expected.microID.reset();
        expected.note = std::string(200, 'n');
        EXPECT_EQ(settings.validated().customInstruments, std::vector<Instrument>{expected}) << row.name;
    }
}

TEST(CalculatorSettingsRepairTest, OverridesLoseBadFieldsAndDanglingKeys) {
    CalculatorSettings settings;
    settings.overrides["NQ"] = InstrumentOverride{Decimal(), Decimal(2), std::nullopt};
    settings.overrides["ES"] = InstrumentOverride{Decimal(1'000'001), Decimal(), Decimal(1001)};
    settings.overrides["YM"] = InstrumentOverride{};
    settings.overrides["custom:ghost"] = InstrumentOverride{Decimal(1), std::nullopt, std::nullopt};
    settings.overrides["MES"] = InstrumentOverride{Decimal(1'000'000), Decimal(1'000'000), Decimal(1000)};
    const auto repaired = settings.validated();
    EXPECT_EQ(repaired.overrides.size(), 2u);
    EXPECT_EQ(repaired.overrides.at("NQ"), (InstrumentOverride{std::nullopt, Decimal(2), std::nullopt}));
    EXPECT_EQ(repaired.overrides.at("MES"), settings.overrides.at("MES"));
}

TEST(CalculatorSettingsRepairTest, RecentStopsKeepFiveDistinctValuesInBounds) {
    CalculatorSettings settings;
    settings.recentStops = {20, 20, 0, 15, 2'000'000, dec("10.0"), 30, 40, 50, -3};
    EXPECT_EQ(settings.validated().recentStops, (std::vector<Decimal>{20, 15, 10, 30, 40}));
}

TEST(CalculatorSettingsRepairTest, RepairIsIdempotentOnRandomRecords) {
    std::mt19937 random(2026);
    const auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    const auto number = [&]() {
        static const char* const edges[] = {"0", "-1", "0.5", "100", "100.01", "1000", "1000.01", "1000000",
                                            "1000001", "1000000000", "1e10", "0.00000001", "-0.0001"};
        if (pick(3) == 0) return dec(edges[pick(static_cast<int>(std::size(edges)))]);
        // One draw per statement: the order of a call's arguments differs between builds.
        const std::int64_t digits = std::uniform_int_distribution<std::int64_t>(-100'000, 10'000'000)(random);
        const int exponent = pick(8) - 4;
        return Decimal::fromParts(digits, exponent);
    };
    const auto id = [&]() -> std::string {
        static const char* const ids[] = {"NQ", "NAS100", "nq", "custom:a", "custom:b", "custom:c", "custom:d",
                                          "custom:e", "custom:f", "Custom:a", "", "custom:"};
        const int choice = pick(static_cast<int>(std::size(ids)) + 1);
        if (choice < static_cast<int>(std::size(ids))) return ids[choice];
        return "custom:" + std::string(static_cast<std::size_t>(70 + pick(15)), 'z');
    };
    const auto text = [&]() {
        static const char* const pieces[] = {" ", "\t", "\n", "\r\n", "a", "é", "e\u0301", "\u00a0", "\u2028",
                                             "\u200b", "🇷🇴", "xyz"};
        std::string out;
        for (int i = pick(20); i > 0; --i) out += pieces[pick(static_cast<int>(std::size(pieces)))];
        return out;
    };

    int withCustom = 0;
    int withOverrides = 0;
    constexpr int records = 3000;
    for (int i = 0; i < records; ++i) {
        CalculatorSettings s{number(), RiskMode::percent, number(), number(), id(), StopMode::points, number(), number(),
                             {},       {},                {}};
        for (int n = pick(9); n > 0; --n) {
            s.customInstruments.push_back(Instrument{id(), text(), InstrumentKind::future, number(), number(), number(),
                                                     number(), text(), pick(2) == 0, text(), id()});
        }
        for (int n = pick(6); n > 0; --n) {
            const auto maybe = [&]() { return pick(2) ? std::optional(number()) : std::nullopt; };
            const std::string key = id();
            s.overrides[key] = InstrumentOverride{maybe(), maybe(), maybe()};
        }
        for (int n = pick(10); n > 0; --n) s.recentStops.push_back(number());

        const CalculatorSettings once = s.validated();
        withCustom += once.customInstruments.empty() ? 0 : 1;
        withOverrides += once.overrides.empty() ? 0 : 1;
        ASSERT_EQ(once.validated(), once) << toJson(once).dump().value();
        EXPECT_TRUE(once.instrument(once.instrumentID).has_value());
    }
    // The records must reach the interesting branches, not only the defaults.
    // One record in twenty on each branch is plenty for the property; the
    // count is not tuned to this sample.
    EXPECT_GT(withCustom, records / 20);
    EXPECT_GT(withOverrides, records / 20);
}
