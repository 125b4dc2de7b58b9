// FrmEventManager page; see frm_event_manager.h.
#include "frm_event_manager.h"

namespace brightlock {
namespace {

// The page is 616 x 324 px: the option buttons in a row at the top, the panels below.
constexpr QRect kOptOnBattRect(28, 12, 170, 20);
constexpr QRect kOptLowBattRect(218, 12, 170, 20);
constexpr QRect kOptOsLogRect(408, 12, 170, 20);
constexpr QRect kPanelRect(12, 40, 592, 272);

xpradiobutton* addOption(QWidget* page, const char* name, const QString& caption, const QRect& at) {
    auto* option = new xpradiobutton(caption, page);
    option->setObjectName(QString::fromLatin1(name));
    option->setGeometry(at);
    return option;
}

} // namespace

FrmEventManager::FrmEventManager(Monitor& monitor, MessagePort& messages, QWidget* parent)
    : MainPage(parent) {
    setObjectName(QStringLiteral("FrmEventManager"));
    OptOnBatt_ = addOption(this, "OptOnBatt", QStringLiteral("UPS On Battery "), kOptOnBattRect);
    OptLowBatt_ = addOption(this, "OptLowBatt", QStringLiteral("UPS Low Battery "), kOptLowBattRect);
    OptOsLog_ = addOption(this, "OptOsLog", QStringLiteral("OS Event Log"), kOptOsLogRect);

    onBattery_ = new FrmPowerEvent(settings::PowerEvent::OnBattery, messages, this);
    lowBattery_ = new FrmPowerEvent(settings::PowerEvent::LowBattery, messages, this);
    osLog_ = new FrmOSLog(monitor, messages, this);
    for (QFrame* panel : {static_cast<QFrame*>(onBattery_), static_cast<QFrame*>(lowBattery_),
                          static_cast<QFrame*>(osLog_)}) {
        panel->setGeometry(kPanelRect);
        panel->hide();
    }

    connect(OptOnBatt_, &xpradiobutton::Click, this, &FrmEventManager::OptOnBattClick);
    connect(OptLowBatt_, &xpradiobutton::Click, this, &FrmEventManager::OptLowBattClick);
    connect(OptOsLog_, &xpradiobutton::Click, this, &FrmEventManager::OptOsLogClick);
}

void FrmEventManager::EventMana() {
    OptOnBatt_->setValue(true);
    OptLowBatt_->setValue(false);
    OptOsLog_->setValue(false);
    OptOnBattClick();
}

void FrmEventManager::OptOnBattClick() {
    onBattery_->setVisible(true);
    lowBattery_->setVisible(false);
    osLog_->setVisible(false);
    onBattery_->load();
}

void FrmEventManager::OptLowBattClick() {
    lowBattery_->setVisible(true);
    onBattery_->setVisible(false);
    osLog_->setVisible(false);
    lowBattery_->load();
}

void FrmEventManager::OptOsLogClick() {
    osLog_->load();
    onBattery_->setVisible(false);
    osLog_->setVisible(true);
    lowBattery_->setVisible(false);
}

} // namespace brightlock
