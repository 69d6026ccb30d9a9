#include "WaylarkKit/Calculator/Qt/InstrumentEditorView.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/Calculator/InstrumentEditorText.h"
#include "WaylarkKit/Calculator/Qt/CalculatorPainting.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/QtText.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

namespace {

namespace P = CalculatorPainting;
using CalculatorKit::Instrument;
using Field = InstrumentEditorModel::Field;

constexpr double rowHeight = 26;
constexpr double rowSpacing = 2;
constexpr double detailSpacing = 12;
constexpr double columnSpacing = 18;

// The card's own text look, where a part sets none.
QFont cardFont() { return P::font(13, FontWeight::regular); }

// The card shows through the area and what it scrolls. Nothing is styled to
// get there: a style sheet would reach every child, the menus the fields
// open included.
QScrollArea* quietScrollArea(QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(false);
    area->viewport()->setAutoFillBackground(false);
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

void scrollQuietly(QScrollArea* area, QWidget* content) {
    area->setWidget(content);
    content->setAutoFillBackground(false);  // setWidget turned it on
}

}  // namespace

// The list of instruments; a tap on a row selects it.
class InstrumentEditorView::Sidebar final : public QWidget {
public:
    Sidebar(InstrumentEditorModel& editor, QWidget* parent) : QWidget(parent), editor_(editor) {}

    void setContent(std::vector<Instrument> instruments, std::string selectedID) {
        instruments_ = std::move(instruments);
        selectedID_ = std::move(selectedID);
        const auto count = static_cast<double>(instruments_.size());
        resize(static_cast<int>(sidebarWidth),
               static_cast<int>(std::max(0.0, count * (rowHeight + rowSpacing) - rowSpacing)));
        update();
    }
    QRectF rowRect(std::size_t index) const {
        return QRectF(0, static_cast<double>(index) * (rowHeight + rowSpacing), width(), rowHeight);
    }
    std::optional<std::size_t> rowIndex(const std::string& id) const {
        for (std::size_t i = 0; i < instruments_.size(); ++i) {
            if (instruments_[i].id == id) return i;
        }
        return std::nullopt;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (std::size_t i = 0; i < instruments_.size(); ++i) {
            const Instrument& instrument = instruments_[i];
            const QRectF row = rowRect(i);
            const bool selected = instrument.id == selectedID_;
            if (selected) P::fillRounded(painter, row, 6, P::white(0.12));
            const QColor ink = P::white(selected ? 1 : 0.7);
            const QString price = qtText(CalculatorFormat::money(instrument.dollarsPerPoint));
            const QFont priceFont = P::font(10, FontWeight::regular);
            const double priceWidth = MonoDigits::width(priceFont, price);
            const QFont nameFont = P::font(12, selected ? FontWeight::semibold : FontWeight::regular);
            double room = row.width() - 16 - priceWidth - 6 - (instrument.isVerified ? 0 : 15);
            const QString name = elided(qtText(instrument.name), nameFont, room);
            const double nameWidth = P::textWidth(nameFont, name);
            P::drawLine(painter, QRectF(row.left() + 8, row.top(), nameWidth, rowHeight), nameFont, ink, name);
            if (!instrument.isVerified) {
                const QRectF mark(row.left() + 8 + nameWidth + 6, row.center().y() - 4.5, 9, 9);
                paintSymbol(painter, Symbol::exclamationCircleFill, mark, P::colour(Palette::yellow), 0);
            }
            painter.setPen(P::white(0.4));
            MonoDigits::drawIn(painter, row.adjusted(0, 0, -8, 0), Qt::AlignRight, priceFont, price);
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        for (std::size_t i = 0; i < instruments_.size(); ++i) {
            if (rowRect(i).contains(event->position())) {
                editor_.select(instruments_[i].id);
                break;
            }
        }
        event->accept();
    }

private:
    InstrumentEditorModel& editor_;
    std::vector<Instrument> instruments_;
    std::string selectedID_;
};

// The selected instrument: everything right of the divider, as one painted
// surface with the text fields placed on it.
class InstrumentEditorView::Detail final : public QWidget {
public:
    struct Box {
        Field field;
        QString title;
        QString prefix;
        QRectF titleRect;
        QRectF box;
        QRectF text;
    };

    Detail(InstrumentEditorModel& editor, Base::Scheduler& scheduler, std::function<void()> onDone, QWidget* parent)
        : QWidget(parent), editor_(editor), scheduler_(scheduler), onDone_(std::move(onDone)) {
        for (const Field field : {Field::perPoint, Field::minSize, Field::sizeStep, Field::commission}) {
            EditableText* text = makeField(field, "0", 14, FontWeight::semibold, false);
            text->setOnEnd([this] { editor_.endEditing(); });
        }
        makeField(Field::calibrationSize, "0.01", 13, FontWeight::regular, false);
        makeField(Field::calibrationPoints, "10", 13, FontWeight::regular, false);
        makeField(Field::calibrationProfit, "1", 13, FontWeight::regular, false);
    }

    EditableText* field(Field field) const {
        const auto found = fields_.find(field);
        return found == fields_.end() ? nullptr : found->second;
    }

    std::optional<QRectF> buttonRect(Button button) const {
        switch (button) {
            case Button::calibrate: return calibrateButton_;
            case Button::remove: return isCustom_ ? sideButton_ : std::nullopt;
            case Button::reset: return isCustom_ ? std::nullopt : sideButton_;
            case Button::done: return doneButton_;
            case Button::add: return std::nullopt;
        }
        return std::nullopt;
    }

    void refresh(double width) {
        instrument_ = editor_.instrument();
        isCustom_ = InstrumentEditorModel::isCustom(instrument_.id);
        hasOverride_ = editor_.hasOverride();
        calibrated_ = editor_.calibratedValue();
        canCalibrate_ = editor_.canUseCalibration();
        message_ = editor_.message();
        syncNameField();
        layout(width);
        for (auto& [which, text] : fields_) text->refresh();
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The request is spent once the name has the keyboard: a later
        // opening of the card must not put a stray key into that name.
        if (event->type() == QEvent::FocusIn && watched == field(Field::name) &&
            editor_.focusNameID() == nameFieldID_) {
            editor_.clearFocusNameID();
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (!isCustom_) {
            P::drawLine(painter, name_, P::font(18, FontWeight::semibold), P::white(1), qtText(instrument_.name));
        }
        P::drawLine(painter, kind_, P::font(11, FontWeight::regular), P::white(0.45),
                    qtText(InstrumentEditorText::kindText(instrument_.kind)));
        if (const auto badge = InstrumentEditorText::badge(instrument_, hasOverride_)) {
            P::drawLine(painter, badge_, P::font(10, FontWeight::semibold), P::colour(badge->colour), qtText(badge->text));
        }
        P::drawWrapped(painter, note_, P::font(11, FontWeight::regular), P::white(0.5), qtText(instrument_.note));

        for (const Box& box : values_) paintBox(painter, box, P::font(9, FontWeight::bold, 0.5));
        P::fillRounded(painter, calibration_, 10, P::white(0.04));
        P::drawLine(painter, calibrationTitle_, P::font(9, FontWeight::bold, 0.8), P::white(0.45),
                    QStringLiteral("CALIBRATE FROM A TEST TRADE"));
        P::drawWrapped(painter, calibrationHint_, P::font(11, FontWeight::regular), P::white(0.5),
                       qtText(InstrumentEditorText::calibrationHint(instrument_)));
        for (const Box& box : calibrationBoxes_) paintBox(painter, box, P::font(9, FontWeight::bold));
        // A value beyond the point value's bound shows, but cannot be used.
        const QString label = qtText(InstrumentEditorText::calibrationButton(calibrated_));
        P::fillCapsule(painter, calibrateButton_, canCalibrate_ ? P::colour(Palette::orange) : P::white(0.1));
        P::drawLine(painter, calibrateButton_, P::font(11, FontWeight::semibold),
                    canCalibrate_ ? P::colour(Palette::black) : P::white(0.4), label, Qt::AlignHCenter);

        P::drawLine(painter, messageLine_, P::font(11, FontWeight::regular), P::colour(Palette::red, 0.9),
                    qtText(message_.value_or(" ")));

        if (sideButton_) {
            const bool remove = isCustom_;
            P::fillCapsule(painter, *sideButton_, remove ? P::colour(Palette::red, 0.14) : P::white(0.1));
            P::drawLine(painter, *sideButton_, P::font(11, FontWeight::semibold),
                        remove ? P::colour(Palette::red, 0.9) : P::white(0.75),
                        remove ? QStringLiteral("Delete instrument") : QStringLiteral("Reset to default"),
                        Qt::AlignHCenter);
        }
        P::fillCapsule(painter, doneButton_, P::white(1));
        P::drawLine(painter, doneButton_, P::font(12, FontWeight::semibold), P::colour(Palette::black),
                    QStringLiteral("Done"), Qt::AlignHCenter);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPointF at = event->position();
        event->accept();
        if (calibrateButton_.contains(at)) {
            if (canCalibrate_) editor_.useCalibration();
        } else if (sideButton_ && sideButton_->contains(at)) {
            if (isCustom_) {
                editor_.removeCustom();
            } else {
                editor_.resetToDefault();
            }
        } else if (doneButton_.contains(at)) {
            if (onDone_) onDone_();
        }
    }

private:
    EditableText* makeField(Field field, const char* placeholder, double size, FontWeight weight, bool autofocus) {
        // The card edits the calculator's selected instrument, whichever that is now.
        TextBinding binding{[this, field] { return editor_.displayText(field); },
                            [this, field](const std::string& text) { editor_.edit(field, text); },
                            [this] { return editor_.instrument().id; }};
        EditableText::Look look;
        look.placeholder = placeholder;
        look.fontSize = size;
        look.weight = weight;
        look.autofocus = autofocus;
        auto* text = new EditableText(std::move(binding), look, scheduler_, this);
        fields_[field] = text;
        return text;
    }

    // A custom instrument's name is a field of its own, made afresh for each
    // instrument so that a new one takes the keyboard as it appears.
    void syncNameField() {
        const std::string wanted = isCustom_ ? instrument_.id : std::string();
        // The focus request may arrive just after the instrument it names.
        const bool focus = isCustom_ && editor_.focusNameID() == wanted;
        if (wanted == nameFieldID_ && (!focus || nameFieldFocuses_)) return;
        if (EditableText* old = field(Field::name)) {
            fields_.erase(Field::name);
            old->hide();
            old->deleteLater();
        }
        nameFieldID_ = wanted;
        nameFieldFocuses_ = focus;
        if (!isCustom_) return;
        EditableText* text = makeField(Field::name, "Name", 18, FontWeight::semibold, focus);
        text->setOnEnd([this] { editor_.endEditing(); });
        text->installEventFilter(this);
        // Made last, yet first in reading order: Tab goes on to the point value.
        setTabOrder(text, field(Field::perPoint));
        text->show();
    }

    void paintBox(QPainter& painter, const Box& box, const QFont& titleFont) const {
        P::drawLine(painter, box.titleRect, titleFont, P::white(0.45), box.title);
        P::fillRounded(painter, box.box, 6, P::white(0.07));
        if (!box.prefix.isEmpty()) {
            P::drawLine(
                painter,
                QRectF(box.box.left() + 8, box.box.top(), P::textWidth(cardFont(), box.prefix), box.box.height()),
                cardFont(), P::white(0.5), box.prefix);
        }
    }

    Box makeBox(Field field, const QString& title, const QString& prefix, const QRectF& column, bool tracked) const {
        const QFont titleFont = P::font(9, FontWeight::bold, tracked ? 0.5 : 0);
        Box box{field, title, prefix, QRectF(column.left(), column.top(), column.width(), P::lineHeight(titleFont)),
                {},    {}};
        box.box = QRectF(column.left(), box.titleRect.bottom() + 3, column.width(), 22);
        const double textLeft = box.box.left() + 8 + (prefix.isEmpty() ? 0 : P::textWidth(cardFont(), prefix) + 2);
        box.text = QRectF(textLeft, box.box.top(), std::max(0.0, box.box.right() - 8 - textLeft), 22);
        return box;
    }

    void layout(double width) {
        double y = 0;
        // Header: name, kind and badge on one line, the note under them.
        const double nameHeight = isCustom_ ? 26 : P::lineHeight(P::font(18, FontWeight::semibold));
        double x = 0;
        if (isCustom_) {
            // The field follows what is typed, so kind and badge stay beside the name.
            const QString typed = qtText(editor_.displayText(Field::name));
            const double typedWidth = P::textWidth(P::font(18, FontWeight::semibold), typed) + 12;
            name_ = QRectF(0, y, std::clamp(typedWidth, 60.0, std::max(60.0, width / 2)), 26);
        } else {
            name_ = QRectF(0, y, P::textWidth(P::font(18, FontWeight::semibold), qtText(instrument_.name)), nameHeight);
        }
        x = name_.right() + 8;
        const QString kind = qtText(InstrumentEditorText::kindText(instrument_.kind));
        kind_ = QRectF(x, y, P::textWidth(P::font(11, FontWeight::regular), kind), nameHeight);
        x = kind_.right() + 8;
        const auto badge = InstrumentEditorText::badge(instrument_, hasOverride_);
        badge_ = QRectF(x, y, badge ? P::textWidth(P::font(10, FontWeight::semibold), qtText(badge->text)) : 0, nameHeight);
        y += nameHeight + 4;
        const QFont noteFont = P::font(11, FontWeight::regular);
        note_ = QRectF(0, y, width, P::wrappedHeight(noteFont, qtText(instrument_.note), width));
        y = note_.bottom() + detailSpacing;

        values_.clear();
        const double third = (width - 20) / 3;
        const QString fields[3] = {qtText(InstrumentEditorText::perPointTitle(instrument_)), QStringLiteral("MIN SIZE"),
                                   QStringLiteral("SIZE STEP")};
        const Field which[3] = {Field::perPoint, Field::minSize, Field::sizeStep};
        for (int i = 0; i < 3; ++i) {
            values_.push_back(makeBox(which[i], fields[i], i == 0 ? QStringLiteral("$") : QString(),
                                      QRectF(i * (third + 10), y, third, 0), true));
        }
        y = values_.back().box.bottom() + detailSpacing;
        values_.push_back(makeBox(Field::commission, qtText(InstrumentEditorText::commissionTitle(instrument_)),
                                  QStringLiteral("$"), QRectF(0, y, (width - 10) / 2, 0), true));
        y = values_.back().box.bottom() + detailSpacing;

        // The calibration box: padding 10, its parts 6 apart.
        const double inner = width - 20;
        const double top = y;
        y += 10;
        calibrationTitle_ = QRectF(10, y, inner, P::lineHeight(P::font(9, FontWeight::bold, 0.8)));
        y = calibrationTitle_.bottom() + 6;
        const QString hint = qtText(InstrumentEditorText::calibrationHint(instrument_));
        calibrationHint_ = QRectF(10, y, inner, P::wrappedHeight(P::font(11, FontWeight::regular), hint, inner));
        y = calibrationHint_.bottom() + 6;
        const QString label = qtText(InstrumentEditorText::calibrationButton(calibrated_));
        const double buttonWidth = P::textWidth(P::font(11, FontWeight::semibold), label) + 24;
        const double share = std::max(0.0, (inner - buttonWidth - 24) / 3);
        calibrationBoxes_.clear();
        const QString titles[3] = {QStringLiteral("SIZE OPENED"), QStringLiteral("POINTS MOVED"),
                                   QStringLiteral("P/L CHANGE $")};
        const Field calibration[3] = {Field::calibrationSize, Field::calibrationPoints, Field::calibrationProfit};
        for (int i = 0; i < 3; ++i) {
            calibrationBoxes_.push_back(
                makeBox(calibration[i], titles[i], QString(), QRectF(10 + i * (share + 8), y, share, 0), false));
        }
        const double rowBottom = calibrationBoxes_.back().box.bottom();
        calibrateButton_ = QRectF(10 + 3 * (share + 8), rowBottom - 26, buttonWidth, 26);
        y = rowBottom + 10;
        calibration_ = QRectF(0, top, width, y - top);
        y += detailSpacing;

        messageLine_ = QRectF(0, y, width, 14);
        y = messageLine_.bottom() + detailSpacing;

        doneButton_ = QRectF(width - (P::textWidth(P::font(12, FontWeight::semibold), QStringLiteral("Done")) + 40), y,
                             P::textWidth(P::font(12, FontWeight::semibold), QStringLiteral("Done")) + 40, 28);
        sideButton_.reset();
        if (isCustom_ || hasOverride_) {
            const QString text = isCustom_ ? QStringLiteral("Delete instrument") : QStringLiteral("Reset to default");
            sideButton_ = QRectF(0, y + 1, P::textWidth(P::font(11, FontWeight::semibold), text) + 24, 26);
        }
        y = doneButton_.bottom();

        resize(static_cast<int>(width), static_cast<int>(std::ceil(y)));
        if (EditableText* text = field(Field::name)) text->setGeometry(name_.toAlignedRect());
        for (const std::vector<Box>* boxes : {&values_, &calibrationBoxes_}) {
            for (const Box& box : *boxes) field(box.field)->setGeometry(box.text.toAlignedRect());
        }
    }

    InstrumentEditorModel& editor_;
    Base::Scheduler& scheduler_;
    std::function<void()> onDone_;
    std::map<Field, EditableText*> fields_;
    std::string nameFieldID_;
    bool nameFieldFocuses_ = false;
    Instrument instrument_;
    bool isCustom_ = false;
    bool hasOverride_ = false;
    std::optional<Base::Decimal> calibrated_;
    bool canCalibrate_ = false;
    std::optional<std::string> message_;
    QRectF name_, kind_, badge_, note_;
    std::vector<Box> values_;
    QRectF calibration_, calibrationTitle_, calibrationHint_;
    std::vector<Box> calibrationBoxes_;
    QRectF calibrateButton_;
    QRectF messageLine_;
    std::optional<QRectF> sideButton_;
    QRectF doneButton_;
};

InstrumentEditorView::InstrumentEditorView(InstrumentEditorModel& editor, Base::Scheduler& scheduler,
                                           std::function<void()> onDone, QWidget* parent)
    : QWidget(parent), editor_(editor), scheduler_(scheduler), onDone_(std::move(onDone)) {
    listScroll_ = quietScrollArea(this);
    list_ = new Sidebar(editor_, listScroll_);
    scrollQuietly(listScroll_, list_);
    detailScroll_ = quietScrollArea(this);
    detail_ = new Detail(
        editor_, scheduler,
        [this] {
            if (onDone_) onDone_();
        },
        detailScroll_);
    scrollQuietly(detailScroll_, detail_);

    const auto changed = [this] { refresh(); };
    subscriptions_.push_back(editor_.settings().observeSettings(changed));
    subscriptions_.push_back(editor_.observeDrafts(changed));
    subscriptions_.push_back(editor_.observeMessage(changed));
    subscriptions_.push_back(editor_.observeFocusNameID(changed));
    refresh();
}

InstrumentEditorView::~InstrumentEditorView() = default;

EditableText* InstrumentEditorView::textField(Field field) const { return detail_->field(field); }

QRectF InstrumentEditorView::addButtonRect() const {
    const QFont font = P::font(12, FontWeight::semibold);
    const double width = 10 + 6 + P::textWidth(font, QStringLiteral("Add instrument")) + 24;
    return QRectF(0, height() - 28, width, 28);
}

std::optional<QRectF> InstrumentEditorView::buttonRect(Button button) const {
    if (button == Button::add) return addButtonRect();
    const auto rect = detail_->buttonRect(button);
    if (!rect) return std::nullopt;
    return rect->translated(detail_->mapTo(this, QPoint(0, 0)));
}

std::optional<QRectF> InstrumentEditorView::rowRect(const std::string& id) const {
    const auto index = list_->rowIndex(id);
    if (!index) return std::nullopt;
    return list_->rowRect(*index).translated(list_->mapTo(this, QPoint(0, 0)));
}

void InstrumentEditorView::refresh() {
    // Hiding a focused name field hands the focus on, and that field's end of
    // editing notifies again: the pass it asks for runs on the next turn,
    // never inside this one, which would leave a second name field behind.
    if (refreshing_) {
        laterRefresh_ = scheduler_.post([this] { refresh(); });
        return;
    }
    refreshing_ = true;
    const auto& stored = editor_.settings().calculator();
    const std::string selected = editor_.instrument().id;
    list_->setContent(stored.allInstruments(), selected);
    placeChildren();
    if (selected != shownID_) {
        shownID_ = selected;
        if (const auto index = list_->rowIndex(selected)) {
            const QRectF row = list_->rowRect(*index);
            listScroll_->ensureVisible(static_cast<int>(row.center().x()), static_cast<int>(row.center().y()), 0,
                                       static_cast<int>(row.height()));
        }
    }
    update();
    refreshing_ = false;
}

void InstrumentEditorView::placeChildren() {
    const double titleHeight = P::lineHeight(P::font(15, FontWeight::semibold));
    const double listTop = titleHeight + 10;
    const double listBottom = height() - 28 - 10;
    listScroll_->setGeometry(QRectF(0, listTop, sidebarWidth, std::max(0.0, listBottom - listTop)).toAlignedRect());
    const double detailLeft = sidebarWidth + columnSpacing + 1 + columnSpacing;
    detailScroll_->setGeometry(QRectF(detailLeft, 0, std::max(0.0, width() - detailLeft), height()).toAlignedRect());
    detail_->refresh(detailScroll_->width());
}

void InstrumentEditorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont titleFont = P::font(15, FontWeight::semibold);
    P::drawLine(painter, QRectF(0, 0, sidebarWidth, P::lineHeight(titleFont)), titleFont, P::white(1),
                QStringLiteral("Instruments"));
    painter.fillRect(QRectF(sidebarWidth + columnSpacing, 0, 1, height()), P::white(0.08));

    const bool canAdd = editor_.settings().calculator().customInstruments.size() <
                        CalculatorKit::CalculatorSettings::maxCustomInstruments;
    const QRectF add = addButtonRect();
    P::fillCapsule(painter, add, P::colour(canAdd ? Palette::orange : Palette::gray));
    const QColor ink = P::colour(Palette::black);
    paintSymbol(painter, Symbol::plus, QRectF(add.left() + 12, add.center().y() - 5, 10, 10), ink, symbolStroke(10, 1));
    P::drawLine(painter, QRectF(add.left() + 12 + 10 + 6, add.top(), add.width() - 28, add.height()),
                P::font(12, FontWeight::semibold), ink, QStringLiteral("Add instrument"));
}

void InstrumentEditorView::resizeEvent(QResizeEvent*) { refresh(); }

void InstrumentEditorView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool canAdd = editor_.settings().calculator().customInstruments.size() <
                        CalculatorKit::CalculatorSettings::maxCustomInstruments;
    if (canAdd && addButtonRect().contains(event->position())) editor_.addCustom();
}

}  // namespace WaylarkKit
