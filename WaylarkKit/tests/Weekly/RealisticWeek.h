#pragma once

#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "TradingCore/Model/MarketTimeZone.h"

// A realistic calendar around the week of Monday 3 November 2025 (the first
// week after New York left summer time): 80 releases and bank holidays of
// that week in nine currencies and all four impacts, as the feed lists them
// (by time), with a few of the weeks around it.
namespace WaylarkKit::Testing {

inline Base::Date newYorkTime(int year, int month, int day, int hour, int minute) {
    return *Base::Calendar(TradingCore::MarketTimeZone::newYork()).date(year, month, day, hour, minute);
}

inline std::vector<CalendarKit::CalendarEvent> realisticWeek() {
    using TradingCore::NewsImpact;
    constexpr NewsImpact L = NewsImpact::low, M = NewsImpact::medium, H = NewsImpact::high,
                         X = NewsImpact::holiday;
    struct Row {
        int month, day, hour, minute;
        const char* currency;
        NewsImpact impact;
        const char* title;
        const char* forecast;
        const char* previous;
    };
    static const Row rows[] = {
        {10, 31, 8, 30, "USD", H, "Core PCE Price Index m/m", "0.2%", "0.2%"},
        {10, 31, 9, 45, "USD", M, "Chicago PMI", "42.3", "40.6"},
        {11, 2, 19, 30, "AUD", L, "MI Inflation Gauge m/m", "", "0.4%"},
        {11, 2, 20, 45, "CNY", M, "RatingDog Manufacturing PMI", "50.6", "51.2"},
        {11, 3, 0, 0, "JPY", X, "Bank Holiday", "", ""},
        {11, 3, 2, 30, "CHF", M, "CPI m/m", "-0.1%", "-0.2%"},
        {11, 3, 3, 15, "EUR", L, "Spanish Manufacturing PMI", "52.1", "51.5"},
        {11, 3, 3, 45, "EUR", L, "Italian Manufacturing PMI", "49.6", "49.0"},
        {11, 3, 3, 50, "EUR", L, "French Final Manufacturing PMI", "48.3", "48.3"},
        {11, 3, 3, 55, "EUR", L, "German Final Manufacturing PMI", "49.6", "49.6"},
        {11, 3, 4, 0, "EUR", L, "Final Manufacturing PMI", "50.0", "50.0"},
        {11, 3, 4, 30, "GBP", L, "Final Manufacturing PMI", "49.6", "49.6"},
        {11, 3, 9, 45, "USD", L, "Final Manufacturing PMI", "52.2", "52.2"},
        {11, 3, 10, 0, "USD", H, "ISM Manufacturing PMI", "49.4", "49.1"},
        {11, 3, 10, 0, "USD", M, "ISM Manufacturing Prices", "62.3", "61.9"},
        {11, 3, 10, 0, "USD", L, "Construction Spending m/m", "", "-0.1%"},
        {11, 3, 16, 30, "CAD", M, "BOC Gov Macklem Speaks", "", ""},
        {11, 3, 19, 30, "AUD", M, "Household Spending m/m", "0.6%", "0.4%"},
        {11, 3, 22, 30, "AUD", H, "Cash Rate", "3.60%", "3.60%"},
        {11, 3, 22, 30, "AUD", H, "RBA Monetary Policy Statement", "", ""},
        {11, 3, 22, 30, "AUD", M, "RBA Rate Statement", "", ""},
        {11, 3, 23, 30, "AUD", M, "RBA Press Conference", "", ""},
        {11, 4, 3, 0, "EUR", L, "Spanish Unemployment Change", "", "-4.8K"},
        {11, 4, 4, 30, "GBP", L, "BOE Gov Bailey Speaks", "", ""},
        {11, 4, 8, 30, "USD", M, "Trade Balance", "-63.1B", "-78.3B"},
        {11, 4, 8, 30, "CAD", M, "Trade Balance", "-6.3B", "-4.9B"},
        {11, 4, 10, 0, "USD", H, "JOLTS Job Openings", "7.19M", "7.23M"},
        {11, 4, 10, 0, "USD", L, "Factory Orders m/m", "1.4%", "-1.3%"},
        {11, 4, 13, 0, "USD", L, "3-y Note Auction", "", "3.58|2.5"},
        {11, 4, 15, 0, "GBP", L, "BRC Shop Price Index y/y", "", "1.4%"},
        {11, 4, 16, 45, "NZD", H, "Employment Change q/q", "-0.3%", "-0.1%"},
        {11, 4, 16, 45, "NZD", H, "Unemployment Rate", "5.3%", "5.2%"},
        {11, 4, 16, 45, "NZD", L, "Labor Cost Index q/q", "0.5%", "0.6%"},
        {11, 4, 18, 50, "JPY", L, "Monetary Policy Meeting Minutes", "", ""},
        {11, 4, 20, 45, "CNY", M, "RatingDog Services PMI", "52.5", "52.9"},
        {11, 5, 2, 0, "EUR", M, "German Factory Orders m/m", "1.0%", "-0.8%"},
        {11, 5, 3, 15, "EUR", L, "Spanish Services PMI", "54.6", "54.3"},
        {11, 5, 3, 45, "EUR", L, "Italian Services PMI", "52.5", "52.5"},
        {11, 5, 3, 50, "EUR", L, "French Final Services PMI", "47.1", "47.1"},
        {11, 5, 3, 55, "EUR", L, "German Final Services PMI", "54.5", "54.5"},
        {11, 5, 4, 0, "EUR", L, "Final Services PMI", "52.6", "52.6"},
        {11, 5, 4, 30, "GBP", M, "Final Services PMI", "52.2", "52.2"},
        {11, 5, 5, 0, "EUR", L, "PPI m/m", "-0.1%", "-0.3%"},
        {11, 5, 8, 15, "USD", H, "ADP Non-Farm Employment Change", "25K", "-32K"},
        {11, 5, 9, 45, "USD", M, "Final Services PMI", "55.2", "55.2"},
        {11, 5, 10, 0, "USD", H, "ISM Services PMI", "50.8", "50.0"},
        {11, 5, 10, 30, "USD", M, "Crude Oil Inventories", "", "-6.9M"},
        {11, 5, 13, 0, "USD", L, "10-y Bond Auction", "", "4.11|2.5"},
        {11, 5, 18, 50, "JPY", L, "BOJ Summary of Opinions", "", ""},
        {11, 5, 21, 0, "CNY", M, "Trade Balance", "645B", "645B"},
        {11, 6, 2, 0, "EUR", M, "German Industrial Production m/m", "1.5%", "-4.3%"},
        {11, 6, 3, 30, "GBP", L, "Construction PMI", "46.6", "46.2"},
        {11, 6, 5, 0, "EUR", L, "Retail Sales m/m", "0.2%", "0.1%"},
        {11, 6, 7, 0, "GBP", H, "BOE Monetary Policy Report", "", ""},
        {11, 6, 7, 0, "GBP", H, "MPC Official Bank Rate Votes", "2-0-7", "2-0-7"},
        {11, 6, 7, 0, "GBP", H, "Monetary Policy Summary", "", ""},
        {11, 6, 7, 0, "GBP", H, "Official Bank Rate", "4.00%", "4.00%"},
        {11, 6, 7, 30, "GBP", H, "BOE Gov Bailey Speaks", "", ""},
        {11, 6, 7, 30, "USD", L, "Challenger Job Cuts y/y", "", "-25.8%"},
        {11, 6, 8, 30, "USD", H, "Unemployment Claims", "223K", "218K"},
        {11, 6, 8, 30, "USD", M, "Prelim Nonfarm Productivity q/q", "2.6%", "3.3%"},
        {11, 6, 8, 30, "USD", L, "Prelim Unit Labor Costs q/q", "1.4%", "1.0%"},
        {11, 6, 10, 0, "CAD", M, "Ivey PMI", "54.2", "59.8"},
        {11, 6, 10, 30, "USD", L, "Natural Gas Storage", "", "74B"},
        {11, 6, 12, 30, "USD", M, "FOMC Member Williams Speaks", "", ""},
        {11, 6, 15, 0, "USD", M, "Consumer Credit m/m", "10.3B", "0.4B"},
        {11, 6, 18, 30, "JPY", L, "Household Spending y/y", "2.5%", "2.3%"},
        {11, 6, 19, 30, "AUD", M, "Trade Balance", "4.08B", "1.83B"},
        {11, 6, 19, 30, "AUD", L, "RBA Monetary Policy Statement Speech", "", ""},
        {11, 7, 2, 0, "EUR", M, "German Trade Balance", "16.9B", "17.2B"},
        {11, 7, 3, 0, "CHF", L, "Unemployment Rate", "2.9%", "2.9%"},
        {11, 7, 4, 0, "EUR", M, "ECB President Lagarde Speaks", "", ""},
        {11, 7, 8, 30, "USD", H, "Average Hourly Earnings m/m", "0.3%", "0.3%"},
        {11, 7, 8, 30, "USD", H, "Non-Farm Employment Change", "60K", "22K"},
        {11, 7, 8, 30, "USD", H, "Unemployment Rate", "4.3%", "4.3%"},
        {11, 7, 8, 30, "CAD", H, "Employment Change", "-2.5K", "60.4K"},
        {11, 7, 8, 30, "CAD", H, "Unemployment Rate", "7.2%", "7.1%"},
        {11, 7, 10, 0, "USD", H, "Prelim UoM Consumer Sentiment", "53.2", "53.6"},
        {11, 7, 10, 0, "USD", M, "Prelim UoM Inflation Expectations", "", "4.6%"},
        {11, 7, 10, 30, "USD", M, "FOMC Member Jefferson Speaks", "", ""},
        {11, 7, 13, 0, "USD", M, "Federal Budget Balance", "-284.0B", "198.0B"},
        {11, 7, 15, 0, "USD", L, "Consumer Credit m/m Revised Including Revolving Balances", "13.1B", "0.4B"},
        {11, 7, 20, 30, "CNY", M, "CPI y/y", "-0.1%", "-0.3%"},
        {11, 7, 20, 30, "CNY", M, "PPI y/y", "-2.2%", "-2.3%"},
        {11, 8, 20, 0, "CNY", L, "New Loans", "500B", "1290B"},
        {11, 9, 18, 50, "JPY", L, "Current Account", "2.85T", "3.78T"},
        {11, 10, 8, 30, "USD", H, "CPI m/m", "0.3%", "0.3%"},
        {11, 11, 0, 0, "USD", X, "Bank Holiday", "", ""},
        {11, 11, 0, 0, "CAD", X, "Bank Holiday", "", ""},
    };
    std::vector<CalendarKit::CalendarEvent> events;
    int n = 0;
    for (const Row& r : rows) {
        events.push_back({"ev-" + std::to_string(++n), r.title, r.currency, r.impact,
                          newYorkTime(2025, r.month, r.day, r.hour, r.minute), std::nullopt, r.forecast,
                          r.previous});
    }
    return events;
}

}  // namespace WaylarkKit::Testing
