#include "Base/Observable.h"

#include <gtest/gtest.h>

#include <optional>

TEST(ObservableTest, NotifiesOnlyOnARealChange) {
    Base::Observable<int> value(1);
    int calls = 0;
    auto sub = value.observe([&] { ++calls; });
    EXPECT_FALSE(value.set(1));
    EXPECT_TRUE(value.set(2));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(value.get(), 2);
}

TEST(ObservableTest, SubscriptionsEndWhenDroppedEvenAfterTheSignal) {
    std::optional<Base::Subscription> survivor;
    int calls = 0;
    {
        Base::ChangeSignal signal;
        auto first = signal.subscribe([&] { ++calls; });
        survivor = signal.subscribe([&] { ++calls; });
        {
            auto dropped = signal.subscribe([&] { calls += 100; });
        }
        signal.notify();
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(signal.observerCount(), 2u);
    }
    survivor.reset();  // the signal is gone; this must not touch freed memory
    SUCCEED();
}

TEST(ObservableTest, ObserversMayUnsubscribeOthersWhileNotified) {
    Base::ChangeSignal signal;
    int second = 0;
    Base::Subscription b;
    auto a = signal.subscribe([&] { b.reset(); });
    b = signal.subscribe([&] { ++second; });
    signal.notify();
    EXPECT_EQ(second, 0);
    signal.notify();
    EXPECT_EQ(second, 0);
}
