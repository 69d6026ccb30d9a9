#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

namespace IslandKit {

// A borderless window that floats above the others, is never activated by
// being shown, and turns Escape into `onCancel`. No window manager gives it
// the keyboard, so it takes the keyboard itself when a click lands on a view
// that takes typed input and `canBecomeKey` allows it. The island's panel
// and the overlay card's panel both stand on it.
class FloatingPanel : public QWidget {
public:
    FloatingPanel();

    std::function<void()> onCancel;
    // Just before a click makes the panel take the keyboard.
    std::function<void()> onTakingKeyboard;

    virtual bool canBecomeKey() const { return true; }

    // The view inside that had the focus last. A click on the panel's bare
    // part moves Qt's focus to the panel itself, even while another window
    // has the keyboard; the field the trader typed in is still this one.
    QWidget* lastFocusedView() const { return lastFocused_; }

    // How often in this run a click has made one of these panels take the
    // keyboard: a panel that passes keys on to another tells from it that
    // the trader has chosen a field somewhere since.
    static int clickTakings();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void watch(QObject* object);

    QPointer<QWidget> lastFocused_;
};

}  // namespace IslandKit
