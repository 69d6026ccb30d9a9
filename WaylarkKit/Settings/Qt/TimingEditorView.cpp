#include "WaylarkKit/Settings/Qt/TimingEditorView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Settings/Qt/EditorLook.h"
#include "WaylarkKit/Settings/Qt/TimingCustomsPage.h"
#include "WaylarkKit/Settings/Qt/TimingMacrosPage.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/Settings/TimingEditorContent.h"
#include "WaylarkKit/Style/Qt/TextDrawing.h"

namespace WaylarkKit {

using EditorLook::white;
using Section = TimingEditorModel::Section;

namespace {

constexpr int sidebarWidth = 160;

void paintSidebarRow(QPainter& painter, const QRectF& bounds, const SidebarRow& row) {
    EditorLook::fillRounded(painter, bounds, 6, white(row.background ? 0.12 : 0));
    const QRectF inner = bounds.adjusted(8, 0, -8, 0);
    const QFont right = EditorLook::font(10);
    const QString rightText = QString::fromStdString(row.right);
    const double rightWidth = MonoDigits::width(right, rightText);
    painter.setPen(white(0.4));
    MonoDigits::drawIn(painter, inner, Qt::AlignRight, right, rightText);
    const QFont left = EditorLook::font(12, row.highlighted ? FontWeight::semibold : FontWeight::regular);
    const double leftWidth = inner.width() - rightWidth - 8;
    EditorLook::drawText(painter, QRectF(inner.left(), inner.top(), leftWidth, inner.height()), left,
                         white(row.highlighted ? 1 : 0.7), elided(QString::fromStdString(row.left), left, leftWidth));
}

PaintedButton* sidebarButton(QWidget* parent, std::function<void()> onClick) {
    auto* button = new PaintedButton(parent);
    button->setFixedSize(sidebarWidth, 28);
    button->setOnClick(std::move(onClick));
    return button;
}

void setRow(PaintedButton* button, const SidebarRow& row) {
    const std::string look = row.left + "|" + row.right + (row.highlighted ? "|h" : "|") + (row.background ? "b" : "");
    button->setPainter([row](QPainter& painter, const QRectF& bounds) { paintSidebarRow(painter, bounds, row); }, look);
}

// The hairline between the sidebar and the page.
class Divider : public QWidget {
public:
    explicit Divider(QWidget* parent) : QWidget(parent) { setFixedWidth(1); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), white(0.08)); }
};

}  // namespace

TimingEditorView::TimingEditorView(SettingsKit::SettingsModel& settings, TimingEditorModel& editor,
                                   Base::Scheduler& scheduler, std::function<void()> onDone, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      editor_(editor),
      context_{settings, editor, scheduler, std::move(onDone), [this](const auto& action) { act(action); }} {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(18);

    sidebar_ = new QWidget(this);
    sidebar_->setFixedWidth(sidebarWidth);
    auto* side = new QVBoxLayout(sidebar_);
    side->setContentsMargins(0, 0, 0, 0);
    side->setSpacing(10);
    side->addWidget(new TextLine(sidebar_, EditorLook::font(15, FontWeight::semibold), Qt::white, "Profiles"));
    profileList_ = new QWidget(sidebar_);
    auto* list = new QVBoxLayout(profileList_);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(2);
    side->addWidget(profileList_);
    side->addSpacing(4);
    side->addWidget(new TextLine(sidebar_, EditorLook::font(9, FontWeight::bold, 0.8), white(0.35), "EXTRA"));
    customsRow_ = sidebarButton(sidebar_, [this] { act([this] { editor_.showSection(Section::customs); }); });
    macrosRow_ = sidebarButton(sidebar_, [this] { act([this] { editor_.showSection(Section::macros); }); });
    side->addWidget(customsRow_);
    side->addWidget(macrosRow_);
    side->addStretch(1);
    footnote_ = note(sidebar_, {}, 10, 0.4);
    side->addWidget(footnote_);
    row->addWidget(sidebar_);

    row->addWidget(new Divider(this));

    auto* detail = new QWidget(this);
    pages_ = new QStackedLayout(detail);
    profilePage_ = new TimingProfilePage(detail, context_);
    customsPage_ = new TimingCustomsPage(detail, context_);
    macrosPage_ = new TimingMacrosPage(detail, context_);
    pages_->addWidget(profilePage_);
    pages_->addWidget(customsPage_);
    pages_->addWidget(macrosPage_);
    row->addWidget(detail, 1);

    refresh();
    const auto redraw = [this] { requestRefresh(); };
    subscriptions_.push_back(settings_.observeSettings(redraw));
    subscriptions_.push_back(editor_.observeSection(redraw));
    subscriptions_.push_back(editor_.observeArmedRestore(redraw));
    subscriptions_.push_back(editor_.observeDrafts(redraw));
    subscriptions_.push_back(editor_.observeMessage(redraw));
}

QWidget* TimingEditorView::currentPage() const { return pages_->currentWidget(); }

QString TimingEditorView::footnote() const { return footnote_->text(); }

void TimingEditorView::act(const std::function<void()>& action) {
    ++acting_;
    action();
    if (--acting_ == 0) refresh();
}

void TimingEditorView::requestRefresh() {
    if (acting_ == 0) refresh();  // an action redraws once when it is over
}

void TimingEditorView::refresh() {
    refreshSidebar();
    switch (editor_.section()) {
        case Section::profile: pages_->setCurrentWidget(profilePage_); break;
        case Section::customs: pages_->setCurrentWidget(customsPage_); break;
        case Section::macros: pages_->setCurrentWidget(macrosPage_); break;
    }
    profilePage_->refresh();
    customsPage_->refresh();
    macrosPage_->refresh();
}

void TimingEditorView::refreshSidebar() {
    const TimingSidebar sidebar = TimingSidebar::of(settings_, editor_.section());
    while (profileRows_.size() > sidebar.profiles.size()) {
        profileRows_.back()->hide();
        profileRows_.back()->deleteLater();
        profileRows_.pop_back();
    }
    while (profileRows_.size() < sidebar.profiles.size()) {
        const std::size_t index = profileRows_.size();
        auto* button = sidebarButton(profileList_, [this, index] {
            act([this, index] {
                const auto& profiles = settings_.profiles();
                if (index < profiles.size()) editor_.selectProfile(profiles[index].name, settings_);
            });
        });
        profileList_->layout()->addWidget(button);
        profileRows_.push_back(button);
    }
    for (std::size_t i = 0; i < profileRows_.size(); ++i) setRow(profileRows_[i], sidebar.profiles[i]);
    setRow(customsRow_, sidebar.customs);
    setRow(macrosRow_, sidebar.macros);
    footnote_->setText(QString::fromStdString(sidebar.footnote));
}

}  // namespace WaylarkKit
