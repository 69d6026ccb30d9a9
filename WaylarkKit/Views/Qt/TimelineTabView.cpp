#include "WaylarkKit/Views/Qt/TimelineTabView.h"

#include <cmath>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QToolTip>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Qt/Fonts.h"
#include "WaylarkKit/Style/Qt/QtColor.h"
#include "WaylarkKit/Style/Qt/Symbols.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"
#include "WaylarkKit/Views/Qt/TimelinePainter.h"
#include "WaylarkKit/Views/TimelineExplainer.h"
#include "WaylarkKit/Views/TimelineTabLook.h"

namespace WaylarkKit {

namespace {

constexpr int menuWidth = 100;
constexpr int menuTop = 28;
constexpr int menuTrailing = 30;
constexpr int defaultWidth = 440;

// The explanation shows countdowns that tick, so its digits keep their cells;
// a line too long for the tab loses whole characters at its end.
QString fittedMonoText(const QString& text, const QFont& font, double width) {
    if (MonoDigits::width(font, text) <= width) return text;
    const QString ellipsis(QChar(0x2026));
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;
    for (qsizetype next = clusters.toNextBoundary(); next > 0; next = clusters.toNextBoundary()) {
        if (MonoDigits::width(font, text.left(next) + ellipsis) > width) break;
        kept = next;
    }
    return kept == 0 ? QString() : text.left(kept).trimmed() + ellipsis;
}

// A menu text is read for "&" shortcuts; a name shows its ampersands as they are.
QString plainMenuText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

// Drawn at the screen's own pixel ratio, so the mark is never scaled up.
QIcon checkmarkIcon(bool visible, double ratio) {
    const int side = static_cast<int>(std::ceil(16 * ratio));
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (visible) {
        QPainter painter(&pixmap);
        paintSymbol(painter, Symbol::checkmark, QRectF(3.5, 3.5, 9, 9), toQColor(Palette::white.withOpacity(0.9)),
                    symbolStroke(9, 1));
    }
    return QIcon(pixmap);
}

constexpr const char* menuStyle = R"(
QMenu { background-color: %1; border: 1px solid rgba(255, 255, 255, 31); border-radius: 8px; padding: 0px; }
QMenu::item { color: rgba(255, 255, 255, 230); background: transparent; height: 26px; padding: 0px 10px 0px 2px; }
QMenu::item:selected { background: rgba(255, 255, 255, 20); }
QMenu::icon { padding-left: 6px; }
)";

}  // namespace

TimelineTabView::TimelineTabView(TimingViewModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setFixedHeight(tabHeight);
    using Field = TimingViewModel::Field;
    for (Field field : {Field::now, Field::timeline, Field::selection, Field::isProfileMenuOpen}) {
        subscriptions_.push_back(model_.observe(field, [this] { refresh(); }));
    }
    subscriptions_.push_back(model_.settings().observeSettings([this] { refresh(); }));
}

TimelineTabView::~TimelineTabView() {
    // The menu says it hides as it goes; nobody is listening any more.
    if (menu_) menu_->disconnect(this);
}

QSize TimelineTabView::sizeHint() const { return {defaultWidth, tabHeight}; }
QSize TimelineTabView::minimumSizeHint() const { return {0, tabHeight}; }

TimelineScale TimelineTabView::scale() const {
    return TimelineScale{model_.now(), static_cast<double>(width()),
                         model_.settings().timelineHalfSpanMinutes() * 60.0};
}

TimelineCanvas TimelineTabView::canvas() const {
    return TimelineCanvas::make(model_.timeline(), scale(), model_.selection());
}

TimelineHeader TimelineTabView::header() const {
    const SettingsKit::SettingsModel& settings = model_.settings();
    const TimelineHeader::Input input{
        static_cast<double>(width()),
        QString::fromStdString(settings.activeProfile().name),
        QStringLiteral("\u00B1") + QString::fromStdString(TimelineTabLook::spanLabel(settings.timelineHalfSpanMinutes())),
        settings.canZoomIn(),
        settings.canZoomOut(),
        model_.isProfileMenuOpen(),
    };
    // Measuring the texts is the dear part, and they change only with the width,
    // the profile or the zoom; the flags are taken fresh every time.
    if (!header_ || header_->input.width != input.width || header_->input.profileName != input.profileName ||
        header_->input.span != input.span) {
        header_ = TimelineHeader::layout(input);
    }
    header_->input = input;
    return *header_;
}

QMenu* TimelineTabView::openProfileMenu() const { return menu_ && menu_->isVisible() ? menu_.get() : nullptr; }

void TimelineTabView::refresh() {
    update();
    syncMenu();
}

void TimelineTabView::syncMenu() {
    const bool shown = menu_ && menu_->isVisible();
    if (model_.isProfileMenuOpen() && !shown && isVisible()) {
        showMenu();
    } else if (!model_.isProfileMenuOpen() && shown) {
        menu_->hide();
    }
}

void TimelineTabView::showMenu() {
    if (!menu_) {
        menu_ = std::make_unique<QMenu>();
        menu_->setWindowFlags(menu_->windowFlags() | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
        menu_->setAttribute(Qt::WA_TranslucentBackground);
        // A click outside the open menu only closes it; it never reaches the tab beneath.
        menu_->setAttribute(Qt::WA_NoMouseReplay);
        menu_->setStyleSheet(QString::fromLatin1(menuStyle).arg(toQColor(TimelineTabLook::menuPanel).name()));
        menu_->setFixedWidth(menuWidth);
        connect(menu_.get(), &QMenu::aboutToHide, this, [this] { model_.setProfileMenuOpen(false); });
    }
    menu_->clear();
    SettingsKit::SettingsModel& settings = model_.settings();
    const std::string active = settings.activeProfile().name;
    for (const TradingCore::SessionProfile& profile : settings.profiles()) {
        const bool isActive = profile.name == active;
        QAction* action = menu_->addAction(checkmarkIcon(isActive, devicePixelRatioF()), plainMenuText(profile.name));
        action->setFont(interFont(12, isActive ? FontWeight::semibold : FontWeight::regular));
        connect(action, &QAction::triggered, this, [this, name = profile.name] {
            model_.settings().setActiveProfile(name);
            model_.setProfileMenuOpen(false);
        });
    }
    menu_->popup(mapToGlobal(QPoint(width() - menuTrailing - menuWidth, menuTop)));
}

void TimelineTabView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    header().paint(painter);

    painter.save();
    painter.translate(0, canvasTop);
    paintTimelineCanvas(painter, canvas());
    painter.restore();

    const QFont font = interFont(12, FontWeight::semibold);
    const QString text = QString::fromStdString(TimelineExplainer::text(model_.selection(), model_.timeline(), model_.now()));
    painter.setPen(toQColor(Palette::white.withOpacity(0.92)));
    MonoDigits::drawIn(painter, QRectF(0, explanationTop, width(), explanationHeight), Qt::AlignHCenter, font,
                       fittedMonoText(text, font, width()));
}

TimelineTabView::Target TimelineTabView::targetAt(const QPointF& point) const {
    const TimelineHeader bar = header();
    if (bar.pencil.contains(point)) return {Control::pencil, std::nullopt};
    if (bar.profileButton.contains(point)) return {Control::profile, std::nullopt};
    if (bar.zoomInButton.contains(point)) return {Control::zoomIn, std::nullopt};
    if (bar.zoomOutButton.contains(point)) return {Control::zoomOut, std::nullopt};
    if (auto selection = canvas().hit({point.x(), point.y() - canvasTop})) return {Control::canvas, std::move(selection)};
    return {};
}

void TimelineTabView::act(const Target& target) {
    SettingsKit::SettingsModel& settings = model_.settings();
    switch (target.control) {
        case Control::none: return;
        case Control::zoomIn:
            if (settings.canZoomIn()) settings.zoomIn();
            return;
        case Control::zoomOut:
            if (settings.canZoomOut()) settings.zoomOut();
            return;
        case Control::profile: model_.setProfileMenuOpen(!model_.isProfileMenuOpen()); return;
        case Control::pencil: {
            model_.setProfileMenuOpen(false);
            // A copy: the editor's opening may well set a new callback.
            const std::function<void()> open = model_.onOpenTimingEditor();
            if (open) open();
            return;
        }
        case Control::canvas: model_.toggleSelection(*target.selection); return;
    }
}

void TimelineTabView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = targetAt(event->position());
}

void TimelineTabView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return QWidget::mouseReleaseEvent(event);
    const Target pressed = *std::exchange(pressed_, std::nullopt);
    // A tap is a press and a release on the same item.
    if (targetAt(event->position()) == pressed) act(pressed);
}

void TimelineTabView::hideEvent(QHideEvent* event) {
    model_.setProfileMenuOpen(false);
    QWidget::hideEvent(event);
}

bool TimelineTabView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = header().helpText(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

}  // namespace WaylarkKit
