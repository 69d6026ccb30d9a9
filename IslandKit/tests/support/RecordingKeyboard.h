// A keyboard handover that only writes down what it was asked, for the tests
// of the windows that decide where the keyboard goes.
#pragma once

#include <string>
#include <vector>

#include "IslandKit/Window/KeyboardHandover.h"

namespace IslandKitTest {

struct RecordingKeyboard final : IslandKit::KeyboardHandover {
    void noteHolder() override { moves.push_back("note"); }
    void returnToHolder() override { moves.push_back("return"); }
    void returnAtExit() override { moves.push_back("return at exit"); }
    void giveTo(std::uint32_t window) override { moves.push_back("give " + std::to_string(window)); }
    // What was asked since the last look, which forgets it.
    std::vector<std::string> take() { return std::exchange(moves, {}); }

    std::vector<std::string> moves;
};

}  // namespace IslandKitTest
