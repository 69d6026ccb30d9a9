#pragma once

#include <cstdint>
#include <optional>

namespace IslandKit {

// Moves the keyboard between this application's windows and those of other
// applications. An island or a card takes the keyboard only for a moment of
// typing, and no window manager sees it do so (the windows are unmanaged):
// none would know where the keyboard belongs afterwards, so the window that
// gives it up says.
class KeyboardHandover {
public:
    virtual ~KeyboardHandover() = default;
    // As one of our windows takes the keyboard: the window of another
    // application that has it now is the one to give it back to.
    virtual void noteHolder() = 0;
    // Gives the keyboard back, once, to the window noted last.
    virtual void returnToHolder() = 0;
    // As the run ends, before our windows go: gives the keyboard back as
    // `returnToHolder` does when one of our windows has it. Going with our
    // windows, it would be left nowhere.
    virtual void returnAtExit() = 0;
    // Gives the keyboard to a window of another application that a click
    // chose; nothing noted is left to give back.
    virtual void giveTo(std::uint32_t window) = 0;
};

// The handover on Qt's X11 connection; no effect on another platform.
class X11KeyboardHandover final : public KeyboardHandover {
public:
    void noteHolder() override;
    void returnToHolder() override;
    void returnAtExit() override;
    void giveTo(std::uint32_t window) override;

private:
    std::optional<std::uint32_t> holder_;
};

}  // namespace IslandKit
