#pragma once

#include <atomic>
#include <ctime>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "Base/Scheduler.h"
#include "CalendarKit/Feed/FeedFetching.h"

namespace CalendarKit::Testing {

// A fetcher that answers from a script, through the scheduler like the real
// one. With `holdAnswers` the answers wait until the test releases them, so a
// test can act while a fetch is under way.
class ScriptedFetcher final : public FeedFetching {
public:
    explicit ScriptedFetcher(Base::Scheduler& scheduler) : scheduler_(scheduler) {}

    void script(FeedWeek week, Base::Result<FeedResponse> answer) { answers_[week].push_back(std::move(answer)); }

    Base::TaskHandle fetch(FeedWeek week, Completion completion) override {
        ++fetchCount[week];
        auto cancelled = std::make_shared<std::atomic<bool>>(false);
        held_.push_back({week, std::move(completion), cancelled});
        if (!holdAnswers) releaseAll();
        return Base::TaskHandle(cancelled);
    }

    // Hands the oldest held request (or every one) its scripted answer.
    void releaseOne() {
        auto request = std::move(held_.front());
        held_.pop_front();
        auto& queue = answers_[request.week];
        Base::Result<FeedResponse> answer = queue.empty() ? Base::makeError("nothing scripted") : queue.front();
        if (!queue.empty()) queue.pop_front();
        lastCompletion = request.completion;
        scheduler_
            .post([request = std::move(request), answer = std::move(answer)]() mutable {
                if (!request.cancelled->load()) request.completion(std::move(answer));
            })
            .detach();
    }
    void releaseAll() {
        while (!held_.empty()) releaseOne();
    }
    std::size_t inFlight() const { return held_.size(); }

    bool holdAnswers = false;
    std::map<FeedWeek, int> fetchCount;
    Completion lastCompletion;  // for tests that play a misbehaving fetcher

private:
    struct Request {
        FeedWeek week;
        Completion completion;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    Base::Scheduler& scheduler_;
    std::map<FeedWeek, std::deque<Base::Result<FeedResponse>>> answers_;
    std::deque<Request> held_;
};

inline Base::Result<FeedResponse> answer(int status, std::string body = {}, std::optional<double> retryAfter = {}) {
    return FeedResponse{status, std::move(body), retryAfter};
}

// A feed document of `count` distinct USD releases spread over Monday to
// Friday from `firstMonday` on.
inline std::string feedOf(int count, Base::Date firstMonday, const std::string& title = "Indicator",
                          const std::string& forecast = "1.0%") {
    std::string json = "[";
    for (int i = 0; i < count; ++i) {
        const Base::Date time = firstMonday + (i % 5) * 86'400.0 + (i / 5) * 60.0;
        const auto seconds = static_cast<std::time_t>(time.secondsSince1970);
        std::tm parts{};
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", gmtime_r(&seconds, &parts));
        json += std::string(i ? "," : "") + R"({"title":")" + title + " " + std::to_string(i) +
                R"(","country":"USD","date":")" + date + R"(","impact":"High","forecast":")" + forecast +
                R"(","previous":"0.9%"})";
    }
    return json + "]";
}

}  // namespace CalendarKit::Testing
