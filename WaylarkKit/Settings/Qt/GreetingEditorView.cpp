#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Greeting/Qt/GreetingWordView.h"
#include "WaylarkKit/Settings/Qt/EditorButtons.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/Qt/EditorWidgets.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using EditorLook::white;

namespace {

QFont captionFont() { return EditorLook::font(10, FontWeight::bold, 0.8); }
QFont switchFont() { return EditorLook::font(13); }
QFont barFont() { return EditorLook::font(GreetingPreviewBar::fontSize, FontWeight::semibold); }

}  // namespace

// MARK: GreetingPreviewBar

GreetingPreviewBar::GreetingPreviewBar(QWidget* parent, Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion)
    : QWidget(parent), scheduler_(scheduler), reduceMotion_(std::move(reduceMotion)) {
    setFixedHeight(30);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Each half clips its word, so a long one never crosses the gap.
    for (QWidget*& half : halves_) half = new QWidget(this);
}

QRectF GreetingPreviewBar::half(bool leading) const {
    const QRectF inner = QRectF(rect()).adjusted(12, 0, -12, 0);
    const double width = std::max(0.0, (inner.width() - gap) / 2);
    return QRectF(leading ? inner.left() : inner.left() + width + gap, inner.top(), width, inner.height());
}

void GreetingPreviewBar::resizeEvent(QResizeEvent*) {
    halves_[0]->setGeometry(half(true).toAlignedRect());
    halves_[1]->setGeometry(half(false).toAlignedRect());
    placeWords();
}

void GreetingPreviewBar::play() {
    stop();
    const auto word = [&](const std::string& text, GreetingMotion::Style style, QWidget* slot) -> GreetingWordView* {
        if (text.empty()) return nullptr;
        auto* view = new GreetingWordView(QString::fromStdString(text), style, SettingsKit::GreetingSettings::duration,
                                          fontSize, scheduler_, reduceMotion_, slot);
        view->show();
        return view;
    };
    words_[0] = word(state_.leading, GreetingMotion::Style::wave, halves_[0]);
    words_[1] = word(state_.name, GreetingMotion::Style::shine, halves_[1]);
    placeWords();
    playing_ = scheduler_.schedule(SettingsKit::GreetingSettings::duration, [this] { stop(); });
    update();
}

void GreetingPreviewBar::stop() {
    playing_.cancel();
    for (GreetingWordView*& word : words_) {
        delete word;
        word = nullptr;
    }
    update();
}

void GreetingPreviewBar::placeWords() {
    // The left word ends at the gap and the name starts after it, both
    // centred on the bar's height, as the still texts are.
    for (std::size_t i = 0; i < words_.size(); ++i) {
        GreetingWordView* word = words_[i];
        if (!word) continue;
        const QRect box = word->wordRect();
        const QWidget* slot = halves_[i];
        const int x = i == 0 ? slot->width() - box.right() - 1 : -box.left();
        const int y = slot->height() / 2 - box.center().y();
        word->move(x, y);
    }
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
    if (isPlaying()) return;
    // The two texts share the width beside the gap in equal halves; each is
    // one line, cut to fit, the left one ending at the gap.
    const QFont font = barFont();
    const QRectF left = half(true);
    const QRectF right = half(false);
    EditorLook::drawText(painter, left, font, Qt::white,
                         elided(QString::fromStdString(state_.leading), font, left.width()), Qt::AlignRight);
    EditorLook::drawText(painter, right, font, Qt::white,
                         elided(QString::fromStdString(state_.name), font, right.width()), Qt::AlignLeft);
}

// MARK: GreetingEditorView

GreetingEditorView::GreetingEditorView(SettingsKit::SettingsModel& settings, Base::Scheduler& scheduler,
                                       std::function<void()> onTry, std::function<void()> onDone, QWidget* parent,
                                       ReduceMotionFlag reduceMotion)
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
                   [](QPainter& painter, const QRectF& box) {
                       // "play", 8 points tall; its stroke rounds the corners.
                       paintSymbol(painter, Symbol::play, QRectF(box.center() - QPointF(4, 4), QSizeF(8, 8)), Qt::black,
                                   8 * 0.15);
                   },
                   8,
                   5, 0, "play"});
    try_->setToolTip(QStringLiteral("Play the greeting in the island, at the top of the screen"));
    try_->setOnClick([this] {
        bar_->play();
        if (onTry_) onTry_();
    });
    header->addWidget(try_);
    previewColumn->addLayout(header);
    bar_ = new GreetingPreviewBar(preview, scheduler_, std::move(reduceMotion));
    previewColumn->addWidget(bar_);
    root->addWidget(preview);

    root->addStretch(1);

    const auto footer = EditorButtons::footer(
        this, [this] { settings_.restoreGreeting(); },
        [this] {
            if (onDone_) onDone_();
        });
    restore_ = footer.restore;
    done_ = footer.done;
    root->addLayout(footer.layout);

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

    TextBinding binding{
        [this, leading] { return leading ? settings_.greeting().leading : settings_.greeting().name; },
        [this, leading](const std::string& text) {
            if (leading) {
                settings_.setGreetingLeading(text);
            } else {
                settings_.setGreetingName(text);
            }
        },
        {},  // each field edits one part of the greeting for life
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
