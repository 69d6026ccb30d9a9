#pragma once

#include <functional>

#include <QObject>

namespace WaylarkKit {

// Hears the application being asked to quit, whoever asks (a menu, a signal,
// the session), before Qt closes the windows in answer: a window closed
// while it has the keyboard leaves it to the root window.
class QuitListener final : public QObject {
public:
    explicit QuitListener(std::function<void()> onQuit);
    ~QuitListener() override;
    QuitListener(const QuitListener&) = delete;
    QuitListener& operator=(const QuitListener&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onQuit_;
};

}  // namespace WaylarkKit
