#include "WaylarkKit/App/Qt/StatusItemController.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QSystemTrayIcon>

#include "WaylarkKit/App/Qt/TimerTrayIcon.h"
#include "WaylarkKit/Style/Qt/MenuLook.h"

namespace WaylarkKit {

namespace {

// Menu texts come from files and the desktop too; a lone "&" must not turn into a mnemonic.
QString menuText(const std::string& text) { return QString::fromStdString(text).replace('&', "&&"); }

}  // namespace

StatusItemController::StatusItemController(std::unique_ptr<LoginItemControlling> loginItem,
                                           std::function<std::string()> statusText, std::function<void()> onQuit,
                                           std::function<std::vector<StatusMenuModel::DisplayRow>()> displays,
                                           std::function<void(const std::string&)> onToggleDisplay)
    : menu_(std::make_unique<QMenu>()),
      tray_(std::make_unique<QSystemTrayIcon>()),
      loginItem_(std::move(loginItem)),
      statusText_(std::move(statusText)),
      onQuit_(std::move(onQuit)),
      displays_(std::move(displays)),
      onToggleDisplay_(std::move(onToggleDisplay)) {
    // Every row's own enabled flag counts; a separator keeps its line.
    menu_->setSeparatorsCollapsible(false);
    giveIslandLook(*menu_);
    QObject::connect(menu_.get(), &QMenu::aboutToShow, menu_.get(), [this] { rebuildMenu(); });
    QObject::connect(menu_.get(), &QMenu::aboutToHide, menu_.get(), [this] {
        if (onClosing) onClosing();
    });
    tray_->setIcon(timerTrayIcon());
    tray_->setToolTip("Orl Trading Waylark");
    tray_->setContextMenu(menu_.get());
    // A left click opens the same menu as the right one: the icon does nothing else.
    // It drops from just under the icon: a rectangle's bottom is its last row.
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated, menu_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger) popUp(tray_->geometry().bottomLeft() + QPoint(0, 1));
                     });
    tray_->show();
}

StatusItemController::~StatusItemController() {
    // The tray icon refers to the menu; it goes first.
    tray_.reset();
}

StatusMenuModel StatusItemController::model() const {
    return {StatusMenuModel::currentVersion(), statusText_ ? statusText_() : std::string(), loginItem_->state(),
            loginError_, displays_ ? displays_() : std::vector<StatusMenuModel::DisplayRow>{}};
}

void StatusItemController::rebuildMenu() {
    menu_->clear();
    using Kind = StatusMenuModel::Item::Kind;
    for (const auto& row : model().items()) {
        if (row.kind == Kind::separator) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(menuText(row.title));
        action->setEnabled(row.isEnabled);
        switch (row.kind) {
            case Kind::label:
                break;
            case Kind::loginToggle:
                action->setCheckable(true);
                action->setChecked(row.isChecked);
                QObject::connect(action, &QAction::triggered, menu_.get(), [this] { toggleLogin(); });
                break;
            case Kind::openLoginSettings:
                QObject::connect(action, &QAction::triggered, menu_.get(), [this] { openLoginSettings(); });
                break;
            case Kind::displayToggle:
                action->setCheckable(true);
                action->setChecked(row.isChecked);
                action->setData(QString::fromStdString(row.id));
                QObject::connect(action, &QAction::triggered, menu_.get(), [this, action] {
                    const QVariant id = action->data();
                    if (id.typeId() == QMetaType::QString) toggleDisplay(id.toString().toStdString());
                });
                break;
            case Kind::quit:
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
                QObject::connect(action, &QAction::triggered, menu_.get(), [this] { quit(); });
                break;
            case Kind::separator:
                break;
        }
    }
}

void StatusItemController::popUp(const QPoint& at) { menu_->popup(at); }

void StatusItemController::toggleLogin() {
    const auto result = loginItem_->setEnabled(loginItem_->state() == LoginItemState::off);
    if (result) {
        loginError_.reset();
    } else {
        loginError_ = result.error().message;
    }
}

void StatusItemController::openLoginSettings() { loginItem_->openSystemSettings(); }

void StatusItemController::toggleDisplay(const std::string& id) {
    if (onToggleDisplay_) onToggleDisplay_(id);
}

void StatusItemController::quit() {
    if (onQuit_) onQuit_();
}

}  // namespace WaylarkKit
