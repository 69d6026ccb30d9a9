#include "WaylarkKit/Settings/Qt/TimingMacrosPage.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using EditorLook::white;

namespace {

constexpr double rowPadding = 10;
constexpr double titleDetailSpacing = 2;

QFont titleFont(bool on) { return EditorLook::font(13, on ? FontWeight::semibold : FontWeight::regular); }
QFont detailFont() { return EditorLook::font(11); }
QFont badgeFont() { return EditorLook::font(11, FontWeight::bold); }

double rowHeight() {
    const double text = QFontMetricsF(titleFont(true)).height() + titleDetailSpacing + QFontMetricsF(detailFont()).height();
    return std::ceil(std::max(text, 22.0) + 2 * rowPadding);
}

}  // namespace

void paintMacroRow(QPainter& painter, const QRectF& bounds, const MacroRowContent& row) {
    EditorLook::fillRounded(painter, bounds, 10, white(0.05));
    const QRectF inner = bounds.adjusted(rowPadding, rowPadding, -rowPadding, -rowPadding);
    const QColor orange = toQColor(Palette::orange);

    const double box = 15;
    EditorLook::paintCheckBox(painter, QRectF(inner.left(), inner.center().y() - box / 2, box, box), box, row.isOn,
                              row.isOn ? orange : white(0.4));

    const QString badge = QString::fromStdString(row.badge);
    const double badgeWidth = EditorLook::textWidth(badgeFont(), badge) + 16;
    const QRectF badgeBox(inner.right() - badgeWidth, inner.center().y() - 11, badgeWidth, 22);
    EditorLook::fillCapsule(painter, badgeBox, white(0.08));
    EditorLook::drawText(painter, badgeBox, badgeFont(), toQColor(Palette::orange.withOpacity(row.isOn ? 1 : 0.35)),
                         badge, Qt::AlignHCenter);

    const double x = inner.left() + box + 10;
    const double textRight = badgeBox.left() - 10;
    const QFont title = titleFont(row.isOn);
    const double titleHeight = QFontMetricsF(title).height();
    const double detailHeight = QFontMetricsF(detailFont()).height();
    const double top = inner.center().y() - (titleHeight + titleDetailSpacing + detailHeight) / 2;
    EditorLook::drawText(painter, QRectF(x, top, textRight - x, titleHeight), title, white(row.locked ? 0.6 : 0.95),
                         elided(QString::fromStdString(row.title), title, textRight - x));
    painter.setPen(white(0.5));
    MonoDigits::drawIn(painter, QRectF(x, top + titleHeight + titleDetailSpacing, textRight - x, detailHeight),
                       Qt::AlignLeft, detailFont(), QString::fromStdString(row.detail));
}

TimingMacrosPage::TimingMacrosPage(QWidget* parent, TimingEditorContext& context)
    : QWidget(parent), context_(context) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(12);
    page->addWidget(new TitleRow(this, "Macros", "New York time (ET), Monday to Friday"));

    for (std::size_t i = 0; i < rows_.size(); ++i) {
        auto* row = new PaintedButton(this);
        row->setFixedHeight(static_cast<int>(rowHeight()));
        row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->setOnClick([this, i] {
            context_.act([this, i] {
                auto& settings = context_.settings;
                if (i == 1) settings.setLunchMacroEnabled(!settings.lunchMacroEnabled());
                if (i == 2) settings.setFinalMacroEnabled(!settings.finalMacroEnabled());
            });
        });
        page->addWidget(row);
        rows_[i] = row;
    }
    rows_[0]->setEnabled(false);  // the hourly macros cannot be switched off

    page->addWidget(note(this,
                                        QStringLiteral("Lunch Macro and Final Macro replace the hourly macro they "
                                                       "overlap. Turn one off and the hourly macros there come back."),
                                        11, 0.45));
    page->addStretch(1);

    page->addLayout(EditorButtons::footer(this, {}, [this] {
                        if (context_.onDone) context_.onDone();
                    }).layout);
    refresh();
}

void TimingMacrosPage::refresh() {
    const auto contents =
        TimingEditorContent::macroRows(context_.settings.lunchMacroEnabled(), context_.settings.finalMacroEnabled());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->setPainter([row = contents[i]](QPainter& painter, const QRectF& bounds) {
            paintMacroRow(painter, bounds, row);
        }, contents[i].isOn ? "on" : "off");
    }
}

}  // namespace WaylarkKit
