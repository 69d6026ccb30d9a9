#pragma once

#include <functional>

#include <QWidget>

namespace WaylarkKit {

// Lies over a strip and reports the pointer entering (true) and leaving
// (false) it. It takes no clicks: they go on to the panel beneath.
class HoverTracker final : public QWidget {
public:
    explicit HoverTracker(QWidget* parent = nullptr) : QWidget(parent) { setAttribute(Qt::WA_NoSystemBackground); }

    void setOnChange(std::function<void(bool)> onChange) { onChange_ = std::move(onChange); }

protected:
    void enterEvent(QEnterEvent*) override {
        if (onChange_) onChange_(true);
    }
    void leaveEvent(QEvent*) override {
        if (onChange_) onChange_(false);
    }
    void paintEvent(QPaintEvent*) override {}

private:
    std::function<void(bool)> onChange_;
};

}  // namespace WaylarkKit
