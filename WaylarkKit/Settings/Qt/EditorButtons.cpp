#include "WaylarkKit/Settings/Qt/EditorButtons.h"

#include "WaylarkKit/Settings/RestoreArming.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"

namespace WaylarkKit::EditorButtons {

using EditorLook::white;

CapsuleButton* done(QWidget* parent, std::function<void()> onDone) {
    auto* button = new CapsuleButton(parent);
    button->setLook({"Done", EditorLook::font(12, FontWeight::semibold), Qt::black, Qt::white, 20, 28, {}, 0, 0, 0, {}});
    button->setOnClick(std::move(onDone));
    return button;
}

Footer footer(QWidget* parent, std::function<void()> onRestore, std::function<void()> onDone) {
    Footer footer{new QHBoxLayout(), nullptr, nullptr};
    if (onRestore) {
        footer.restore = new CapsuleButton(parent);
        footer.restore->setLook(restoreLook(false));
        footer.restore->setOnClick(std::move(onRestore));
        footer.layout->addWidget(footer.restore);
    }
    footer.layout->addStretch(1);
    footer.done = done(parent, std::move(onDone));
    footer.layout->addWidget(footer.done);
    return footer;
}

CapsuleButton::Look restoreLook(bool armed) {
    return {QString::fromStdString(RestoreArming::label(armed)),
            EditorLook::font(11, FontWeight::semibold),
            armed ? white(1) : white(0.75),
            armed ? toQColor(Palette::orange) : white(0.1),
            12,
            26,
            {},
            0,
            0,
            0,
            {}};
}

CapsuleButton::Look stepLook(bool plus, bool enabled) {
    const QColor colour = white(enabled ? 0.9 : 0.25);
    auto symbol = [plus, colour](QPainter& painter, const QRectF& box) {
        paintSymbol(painter, plus ? Symbol::plus : Symbol::minus, box, colour, symbolStroke(10, 1));
    };
    return {{}, {}, {}, white(0.1), 0, 24, symbol, 10, 0, 28, enabled ? "on" : "off"};
}

CapsuleButton::Look chipLook(const QString& title, const QColor& colour, bool isOn, bool locked) {
    const QColor box = isOn ? colour : white(0.4);
    auto symbol = [isOn, box](QPainter& painter, const QRectF& square) {
        EditorLook::paintCheckBox(painter, square, 11, isOn, box);
    };
    return {title,
            EditorLook::font(12, isOn ? FontWeight::semibold : FontWeight::regular),
            white(locked ? 0.55 : 0.9),
            white(isOn ? 0.12 : 0.06),
            10,
            26,
            symbol,
            11,
            5,
            0,
            box.name(QColor::HexArgb).toStdString() + (isOn ? " on" : " off")};
}

}  // namespace WaylarkKit::EditorButtons
