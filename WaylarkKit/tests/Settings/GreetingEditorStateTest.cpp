#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Base/Text.h"
#include "SettingsKit/tests/ModelFixture.h"
#include "WaylarkKit/Settings/GreetingEditorState.h"

using namespace WaylarkKit;

namespace {

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

class GreetingEditorStateTest : public SettingsKitTesting::ModelTest {
protected:
    GreetingEditorState state() const { return GreetingEditorState::of(model->greeting()); }
};

// The counters' texts and looks are checked with the limits below.
TEST_F(GreetingEditorStateTest, TheBarDimsWhenOffAndTheDurationReads) {
    EXPECT_DOUBLE_EQ(state().barOpacity(), 1.0);
    EXPECT_EQ(GreetingEditorState::durationSentence(), "Shown for 5 seconds when the island appears");
    model->setGreetingEnabled(false);
    EXPECT_DOUBLE_EQ(state().barOpacity(), 0.35);
}

// Typed text goes to the store whole; the store cleans it and keeps the first
// 20 characters as the user perceives them, and the counter counts the same way.
TEST_F(GreetingEditorStateTest, LimitsCountGraphemeClusters) {
    struct Case {
        const char* what;
        std::string typed;
        std::string stored;
        std::string counter;
    };
    const std::string accented = "e\u0301";                              // e + combining acute
    const std::string thumb = "\U0001F44D\U0001F3FD";  // an emoji with its skin tone
    const std::string flag = "\U0001F1F7\U0001F1F4";
    const std::vector<Case> cases = {
        {"nineteen accented letters", repeated(accented, 19), repeated(accented, 19), "19/20"},
        {"twenty-five flags", repeated(flag, 25), repeated(flag, 20), "20/20"},
        {"toned emoji past the limit", "Hi " + repeated(thumb, 30), "Hi " + repeated(thumb, 17), "20/20"},
        {"spaces stay while typing", "  Hi  ", "  Hi  ", "6/20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model->setGreetingLeading(c.typed);
        model->setGreetingName(c.typed);
        const GreetingEditorState s = state();
        EXPECT_EQ(s.leading, c.stored);
        EXPECT_EQ(s.name, c.stored);
        EXPECT_EQ(s.leadingCounter.text(), c.counter);
        EXPECT_EQ(s.nameCounter.text(), c.counter);
        EXPECT_DOUBLE_EQ(s.leadingCounter.opacity(), s.leadingCounter.count >= 20 ? 0.8 : 0.35);
    }
}

}  // namespace
