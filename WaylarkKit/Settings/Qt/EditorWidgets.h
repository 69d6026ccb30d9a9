#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QLayout>
#include <QWidget>

#include "WaylarkKit/Settings/Qt/PaintedButton.h"

namespace WaylarkKit {

// One line of painted text. Digits can sit in equal cells (times, counts),
// and a line narrower than its text can be cut with an ellipsis.
class TextLine : public QWidget {
public:
    TextLine(QWidget* parent, const QFont& font, const QColor& colour, const QString& text = {});

    void setText(const QString& text);
    void setColour(const QColor& colour);
    void setFont(const QFont& font);
    void setMonoDigits(bool on);
    void setAlignment(Qt::Alignment alignment);
    // Elided lines give up their width to their neighbours.
    void setElided(bool on);
    const QString& text() const { return text_; }
    const QColor& colour() const { return colour_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double naturalWidth() const;

    QFont font_;
    QColor colour_;
    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool monoDigits_ = false;
    bool elided_ = false;
};

// A page title and its quieter subtitle, set on one baseline 8 points apart.
class TitleRow : public QWidget {
public:
    TitleRow(QWidget* parent, const QString& title, const QString& subtitle);
    void setTitle(const QString& title);
    const QString& title() const { return title_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QString subtitle_;
};

// The rounded background of a text field, with the field inside it padded
// left and right.
class FieldBox : public QWidget {
public:
    FieldBox(QWidget* parent, double radius, double padding, const QColor& fill);
    void setContent(QWidget* content);
    void setFill(const QColor& fill);
    const QColor& fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double radius_;
    double padding_;
    QColor fill_;
    QWidget* content_ = nullptr;
};

// A capsule button: an optional symbol and a text, padded left and right, at
// a fixed height.
class CapsuleButton : public PaintedButton {
public:
    struct Look {
        QString text;
        QFont font;
        QColor textColour;
        QColor fill;
        double padding = 0;
        double height = 0;
        // Drawn in a square of `symbolSize` before the text, `spacing` apart.
        std::function<void(QPainter&, const QRectF&)> symbol;
        double symbolSize = 0;
        double spacing = 0;
        double fixedWidth = 0;  // when set, the capsule's width regardless of its content
        std::string symbolLook;  // names what `symbol` draws, so an unchanged look is not repainted

        double width() const;
    };

    explicit CapsuleButton(QWidget* parent);
    void setLook(Look look);
    const Look& look() const { return look_; }

private:
    void paintLook(QPainter& painter, const QRectF& bounds) const;

    Look look_;
};

// Lays its items left to right and starts a new line when one is full, like
// chips that outgrow the card.
class FlowLayout : public QLayout {
public:
    FlowLayout(QWidget* parent, int spacing);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return {}; }

private:
    int arrange(const QRect& rect, bool apply) const;

    std::vector<QLayoutItem*> items_;
    int gap_;
};

}  // namespace WaylarkKit
