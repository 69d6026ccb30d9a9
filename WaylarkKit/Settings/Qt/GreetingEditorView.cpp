#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Checklist/Qt/EditableText.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using EditorLook::white;

namespace {

QFont captionFont() { return EditorLook::font(10, FontWeight::bold, 0.8); }
QFont switchFont() { return EditorLook::font(13); }
QFont barFont() { return EditorLook::font(12, FontWeight::semibold); }

}  // namespace

// MARK: GreetingPreviewBar

GreetingPreviewBar::GreetingPreviewBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(30);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GreetingPreviewBar::setGreeting(const GreetingEditorState& state) {
    if (state == state_) return;
    state_ = state;
    update();
}

void GreetingPreviewBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(state_.barOpacity());
    EditorLook::fillRounded(painter, QRectF(rect()), 10, Qt::black);
    // The two texts share the width beside the gap in equal halves; each is
    // one line, cut to fit, the left one ending at the gap.
    const QRectF inner = QRectF(rect()).adjusted(12, 0, -12, 0);
    const double half = std::max(0.0, (inner.width() - gap) / 2);
    const QFont font = barFont();
    const QString leading = elided(QString::fromStdString(state_.leading), font, half);
    const QString name = elided(QString::fromStdString(state_.name), font, half);
    EditorLook::drawText(painter, QRectF(inner.left(), inner.top(), half, inner.height()), font, Qt::white, leading,
                         Qt::AlignRight);
    EditorLook::drawText(painter, QRectF(inner.left() + half + gap, inner.top(), half, inner.height()), font,
                         Qt::white, name, Qt::AlignLeft);
}

// MARK: GreetingEditorView

GreetingEditorView::GreetingEditorView(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                                       std::function<void()> onTry, std::function<void()> onDone, QWidget* parent)
    : QWidget(parent), settings_(settings), scheduler_(scheduler), onTry_(std::move(onTry)), onDone_(std::move(onDone)) {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(16);

    root->addWidget(
        new TitleRow(this, "Greeting", QString::fromStdString(GreetingEditorState::durationSentence())));

    switch_ = new PaintedButton(this);
    switch_->setFixedHeight(static_cast<int>(std::ceil(std::max(14.0, QFontMetricsF(switchFont()).height()))));
    switch_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    switch_->setOnClick([this] { settings_.setGreetingEnabled(!settings_.greeting().isEnabled); });
    root->addWidget(switch_);

    root->addWidget(fieldBlock("Left text", leading_, leadingCounter_, true));
    root->addWidget(fieldBlock("Your name", name_, nameCounter_, false));

    auto* preview = new QWidget(this);
    auto* previewColumn = new QVBoxLayout(preview);
    previewColumn->setContentsMargins(0, 0, 0, 0);
    previewColumn->setSpacing(5);
    auto* header = new QHBoxLayout();
    header->addWidget(new TextLine(preview, captionFont(), white(0.45), "PREVIEW"));
    header->addStretch(1);
    try_ = new CapsuleButton(preview);
    try_->setLook({"Try it", EditorLook::font(11, FontWeight::semibold), Qt::black, Qt::white, 11, 22,
                   [](QPainter& painter, const QRectF& box) { EditorLook::paintPlay(painter, box, 8, Qt::black); }, 8,
                   5, 0, "play"});
    try_->setToolTip(QStringLiteral("Play the greeting in the island, at the top of the screen"));
    try_->setOnClick([this] {
        if (onTry_) onTry_();
    });
    header->addWidget(try_);
    previewColumn->addLayout(header);
    bar_ = new GreetingPreviewBar(preview);
    previewColumn->addWidget(bar_);
    root->addWidget(preview);

    root->addStretch(1);

    auto* bottom = new QHBoxLayout();
    restore_ = new CapsuleButton(this);
    restore_->setLook(EditorButtons::restoreLook(false));
    restore_->setOnClick([this] { settings_.restoreGreeting(); });
    done_ = EditorButtons::done(this, [this] {
        if (onDone_) onDone_();
    });
    bottom->addWidget(restore_);
    bottom->addStretch(1);
    bottom->addWidget(done_);
    root->addLayout(bottom);

    refresh();
    subscription_ = settings_.observeSettings([this] { refresh(); });
}

QWidget* GreetingEditorView::fieldBlock(const QString& label, EditableText*& field, TextLine*& counter, bool leading) {
    auto* block = new QWidget(this);
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(5);
    auto* labels = new QHBoxLayout();
    labels->addWidget(new TextLine(block, captionFont(), white(0.45), label.toUpper()));
    labels->addStretch(1);
    counter = new TextLine(block, EditorLook::font(10), white(0.35));
    counter->setMonoDigits(true);
    labels->addWidget(counter);
    column->addLayout(labels);

    EditableText** self = &field;
    TextBinding binding{
        [this, leading] { return leading ? settings_.greeting().leading : settings_.greeting().name; },
        [this, leading, self](const std::string& text) {
            if (leading) {
                settings_.setGreetingLeading(text);
            } else {
                settings_.setGreetingName(text);
            }
            // Past the limit the stored text does not change, so nothing is
            // told: the field drops the extra characters at once, and the
            // caret stays where it was as far as the text still reaches.
            EditableText* typed = *self;
            const QString before = typed->text();
            const int caret = typed->cursorPosition();
            typed->refresh();
            if (typed->text() != before) {
                typed->setCursorPosition(std::min(caret, static_cast<int>(typed->text().size())));
            }
        },
    };
    field = new EditableText(std::move(binding),
                             {leading ? "Welcome" : "Name", 14, FontWeight::regular, leading, false}, scheduler_);
    auto* box = new FieldBox(block, 8, 10, white(0.08));
    box->setFixedHeight(26);
    box->setContent(field);
    column->addWidget(box);
    return block;
}

void GreetingEditorView::refresh() {
    const GreetingEditorState state = GreetingEditorState::of(settings_.greeting());
    switch_->setPainter([on = state.isEnabled](QPainter& painter, const QRectF& bounds) {
        const double box = 14;
        EditorLook::paintCheckBox(painter, QRectF(0, bounds.center().y() - box / 2, box, box), box, on,
                                  on ? toQColor(Palette::green) : white(0.4));
        EditorLook::drawText(painter, QRectF(box + 8, 0, bounds.width() - box - 8, bounds.height()), switchFont(),
                             Qt::white, QStringLiteral("Show the greeting"));
    }, state.isEnabled ? "on" : "off");
    leading_->refresh();
    name_->refresh();
    const auto showCounter = [](TextLine* line, const GreetingCounter& counter) {
        line->setText(QString::fromStdString(counter.text()));
        line->setColour(white(counter.opacity()));
    };
    showCounter(leadingCounter_, state.leadingCounter);
    showCounter(nameCounter_, state.nameCounter);
    bar_->setGreeting(state);
}

}  // namespace WaylarkKit
