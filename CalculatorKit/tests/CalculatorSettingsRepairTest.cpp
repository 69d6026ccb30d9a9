#include "CalculatorKit/CalculatorSettings.h"

#include <gtest/gtest.h>

#include <random>

#include "CalculatorKit/InstrumentLibrary.h"
#include "CalculatorKit/tests/TestSupport.h"

using namespace CalculatorKit;
using Base::Decimal;
using CalculatorKitTest::dec;

namespace {

Instrument custom(std::string id, std::string name = "Mine") {
    return Instrument{std::move(id), std::move(name), InstrumentKind::future, Decimal(10), dec("0.25"), Decimal(1),
                      Decimal(1),    "contract",      false,                  "own",       std::nullopt};
}

}  // namespace

TEST(CalculatorSettingsRepairTest, NumbersOutOfBoundsTakeTheDefaultNotTheBound) {
    struct Row {
        Decimal CalculatorSettings::*field;
        const char* value;
        const char* expected;
    };
    const Row rows[] = {
        {&CalculatorSettings::balance, "1000000000", "1000000000"},
        {&CalculatorSettings::balance, "1000000000.01", "10000"},
        {&CalculatorSettings::balance, "0", "10000"},
        {&CalculatorSettings::balance, "0.01", "0.01"},
        {&CalculatorSettings::riskPercent, "100", "100"},
        {&CalculatorSettings::riskPercent, "0", "0.5"},
        {&CalculatorSettings::riskPercent, "100.0001", "0.5"},
        {&CalculatorSettings::riskAmount, "1000000000", "1000000000"},
        {&CalculatorSettings::riskAmount, "-1", "100"},
        {&CalculatorSettings::stopPoints, "1000000", "1000000"},
        {&CalculatorSettings::stopPoints, "0", "20"},
        {&CalculatorSettings::stopPoints, "1000000.5", "20"},
        {&CalculatorSettings::commissionPerUnit, "0", "0"},
        {&CalculatorSettings::commissionPerUnit, "1000", "1000"},
        {&CalculatorSettings::commissionPerUnit, "1000.01", "0"},
        {&CalculatorSettings::commissionPerUnit, "-0.01", "0"},
    };
    for (const auto& row : rows) {
        CalculatorSettings settings;
        settings.*row.field = dec(row.value);
        EXPECT_EQ((settings.validated().*row.field).text(), row.expected) << row.value;
    }
    CalculatorSettings modes;
    modes.riskMode = RiskMode::amount;
    modes.stopMode = StopMode::price;
    EXPECT_EQ(modes.validated(), modes);
}

TEST(CalculatorSettingsRepairTest, CustomInstrumentsAreCheckedInOrder) {
    CalculatorSettings settings;
    Instrument zeroValue = custom("custom:dup");
    zeroValue.dollarsPerPoint = Decimal();
    Instrument zeroTick = custom("custom:tick");
    zeroTick.tickSize = Decimal();
    Instrument bigStep = custom("custom:step");
    bigStep.sizeStep = Decimal(1001);
    Instrument zeroMin = custom("custom:min");
    zeroMin.minSize = Decimal();
    settings.customInstruments = {
        custom("Custom:caps"),   custom("custom:" + std::string(73, 'x')),  // 80 characters
        custom("custom:" + std::string(74, 'x')),                            // 81 characters
        zeroValue,               custom("custom:dup"),                        // the failed first takes the id
        zeroTick,                bigStep, zeroMin, custom("NQ"),
    };
    const auto repaired = settings.validated();
    ASSERT_EQ(repaired.customInstruments.size(), 1u);
    EXPECT_EQ(repaired.customInstruments[0].id, "custom:" + std::string(73, 'x'));
}

TEST(CalculatorSettingsRepairTest, KeepsFiveCustomInstrumentsAndDropsWhatPointsPastThem) {
    CalculatorSettings settings;
    for (int i = 1; i <= 7; ++i) settings.customInstruments.push_back(custom("custom:" + std::to_string(i)));
    settings.overrides["custom:6"] = InstrumentOverride{Decimal(2), std::nullopt, std::nullopt};
    settings.overrides["custom:5"] = InstrumentOverride{Decimal(2), std::nullopt, std::nullopt};
    settings.instrumentID = "custom:7";
    const auto repaired = settings.validated();
    ASSERT_EQ(repaired.customInstruments.size(), 5u);
    EXPECT_EQ(repaired.customInstruments.back().id, "custom:5");
    EXPECT_EQ(repaired.overrides.count("custom:6"), 0u);
    EXPECT_EQ(repaired.overrides.count("custom:5"), 1u);
    EXPECT_EQ(repaired.instrumentID, "NAS100");
    settings.instrumentID = "custom:5";
    EXPECT_EQ(settings.validated().instrumentID, "custom:5");
    settings.instrumentID = "MES";
    EXPECT_EQ(settings.validated().instrumentID, "MES");
}

TEST(CalculatorSettingsRepairTest, RebuildsNameNoteAndMicroId) {
    struct Row {
        std::string name;
        std::string expected;
    };
    const Row rows[] = {
        {"  abcdefghijklmn", "abcdefghij"},  // cut to 12 before the trim
        {" \t \t ", "Custom"},
        {"", "Custom"},
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
        const auto repaired = settings.validated();
        ASSERT_EQ(repaired.customInstruments.size(), 1u);
        const Instrument& kept = repaired.customInstruments[0];
        EXPECT_EQ(kept.name, row.expected) << row.name;
        EXPECT_FALSE(kept.microID);
        EXPECT_TRUE(kept.isVerified);
        EXPECT_EQ(kept.note, std::string(200, 'n'));
        EXPECT_EQ(kept.dollarsPerPoint, entry.dollarsPerPoint);
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
    settings.recentStops = {dec("10"), dec("0"),  dec("10.0"), dec("-3"), dec("1000000.1"),
                            dec("20"), dec("30"), dec("40"),   dec("50"), dec("60")};
    EXPECT_EQ(settings.validated().recentStops, (std::vector<Decimal>{10, 20, 30, 40, 50}));
}

namespace {

// Builds records that stray from the bounds in every field, often near the edges.
class RandomRecords {
public:
    explicit RandomRecords(unsigned seed) : random_(seed) {}

    CalculatorSettings next() {
        CalculatorSettings s;
        s.balance = number();
        s.riskMode = pick(2) == 0 ? RiskMode::percent : RiskMode::amount;
        s.riskPercent = number();
        s.riskAmount = number();
        s.instrumentID = id();
        s.stopMode = pick(2) == 0 ? StopMode::points : StopMode::price;
        s.stopPoints = number();
        s.commissionPerUnit = number();
        for (int i = pick(9); i > 0; --i) {
            Instrument entry{id(),     text(),   pick(2) == 0 ? InstrumentKind::future : InstrumentKind::cfdIndex,
                             number(), number(), number(),
                             number(), text(),   pick(2) == 0,
                             text(),   std::nullopt};
            if (pick(2) == 0) entry.microID = id();
            s.customInstruments.push_back(entry);
        }
        for (int i = pick(6); i > 0; --i) {
            InstrumentOverride value;
            if (pick(2) == 0) value.dollarsPerPoint = number();
            if (pick(2) == 0) value.minSize = number();
            if (pick(2) == 0) value.sizeStep = number();
            s.overrides[id()] = value;
        }
        for (int i = pick(10); i > 0; --i) s.recentStops.push_back(number());
        return s;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    Decimal number() {
        static const char* const edges[] = {"0",        "-1",      "0.5",        "100",     "100.01",
                                            "1000",     "1000.01", "1000000",    "1000001", "1000000000",
                                            "1e9",      "1e10",    "0.00000001", "20",      "-0.0001"};
        if (pick(3) == 0) return dec(edges[pick(static_cast<int>(std::size(edges)))]);
        return Decimal::fromParts(std::uniform_int_distribution<std::int64_t>(-100'000, 10'000'000)(random_),
                                  pick(8) - 4);
    }

    std::string id() {
        static const char* const ids[] = {"NQ", "NAS100", "nq", "custom:a", "custom:b", "custom:c", "custom:d",
                                          "custom:e", "custom:f", "Custom:a", "", "custom:"};
        const int choice = pick(static_cast<int>(std::size(ids)) + 1);
        if (choice < static_cast<int>(std::size(ids))) return ids[choice];
        return "custom:" + std::string(static_cast<std::size_t>(70 + pick(15)), 'z');
    }

    std::string text() {
        static const char* const pieces[] = {" ", "\t", "\n", "\r\n", "a", "B", "é", "e\u0301", "\u00a0",
                                             "\u2028", "1", "\u200b", "🇷🇴", "xyz"};
        std::string out;
        for (int i = pick(20); i > 0; --i) out += pieces[pick(static_cast<int>(std::size(pieces)))];
        return out;
    }

    std::mt19937 random_;
};

}  // namespace

TEST(CalculatorSettingsRepairTest, RepairIsIdempotentOnRandomRecords) {
    RandomRecords records(2026);
    int withCustom = 0;
    int withOverrides = 0;
    for (int i = 0; i < 3000; ++i) {
        const CalculatorSettings once = records.next().validated();
        withCustom += once.customInstruments.empty() ? 0 : 1;
        withOverrides += once.overrides.empty() ? 0 : 1;
        ASSERT_EQ(once.validated(), once) << toJson(once).dump();
        EXPECT_TRUE(once.instrument(once.instrumentID).has_value());
        EXPECT_LE(once.customInstruments.size(), CalculatorSettings::maxCustomInstruments);
        EXPECT_LE(once.recentStops.size(), CalculatorSettings::maxRecentStops);
    }
    // The records must reach the interesting branches, not only the defaults.
    EXPECT_GT(withCustom, 300);
    EXPECT_GT(withOverrides, 300);
}
