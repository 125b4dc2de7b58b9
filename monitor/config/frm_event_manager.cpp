// FrmEventManager page; see frm_event_manager.h.
#include "frm_event_manager.h"

namespace brightlock {
namespace {

// The page is 616 x 324 px: the option buttons in a row at the top, the panels below.
constexpr QRect kOptOnBattRect(16, 12, 146, 20);
constexpr QRect kOptLowBattRect(164, 12, 146, 20);
constexpr QRect kOptLevelRect(312, 12, 146, 20);
constexpr QRect kOptOsLogRect(460, 12, 146, 20);
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
    OptLevel_ = addOption(this, "OptLevel", QStringLiteral("Battery Level"), kOptLevelRect);
    OptOsLog_ = addOption(this, "OptOsLog", QStringLiteral("OS Event Log"), kOptOsLogRect);

    onBattery_ = new FrmPowerEvent(settings::PowerEvent::OnBattery, messages, this);
    lowBattery_ = new FrmPowerEvent(settings::PowerEvent::LowBattery, messages, this);
    level_ = new FrmBatteryLevel(messages, this);
    osLog_ = new FrmOSLog(monitor, messages, this);
    for (QFrame* panel : panels()) {
        panel->setGeometry(kPanelRect);
        panel->hide();
    }

    connect(OptOnBatt_, &xpradiobutton::Click, this, &FrmEventManager::OptOnBattClick);
    connect(OptLowBatt_, &xpradiobutton::Click, this, &FrmEventManager::OptLowBattClick);
    connect(OptLevel_, &xpradiobutton::Click, this, &FrmEventManager::OptLevelClick);
    connect(OptOsLog_, &xpradiobutton::Click, this, &FrmEventManager::OptOsLogClick);
}

std::array<QFrame*, 4> FrmEventManager::panels() const {
    return {onBattery_, lowBattery_, level_, osLog_};
}

void FrmEventManager::showOnly(QFrame* shown) {
    for (QFrame* panel : panels())
        panel->setVisible(panel == shown);
}

void FrmEventManager::EventMana() {
    OptOnBatt_->setValue(true);
    OptLowBatt_->setValue(false);
    OptLevel_->setValue(false);
    OptOsLog_->setValue(false);
    OptOnBattClick();
}

void FrmEventManager::OptOnBattClick() {
    showOnly(onBattery_);
    onBattery_->load();
}

void FrmEventManager::OptLowBattClick() {
    showOnly(lowBattery_);
    lowBattery_->load();
}

void FrmEventManager::OptLevelClick() {
    showOnly(level_);
    level_->load();
}

void FrmEventManager::OptOsLogClick() {
    osLog_->load();
    showOnly(osLog_);
}

} // namespace brightlock
