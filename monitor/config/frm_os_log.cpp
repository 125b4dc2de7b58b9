// The OS panel; see frm_os_log.h.
#include "frm_os_log.h"

#include "help.h"
#include "xpcmdbutton.h"

#include <QLabel>

namespace brightlock {
namespace {

// clang-format off
const NumberBoxNames kLimitNames[] = {
    {"TextLimitLog",   "Command2",  "Command6"},
    {"TextLimitEvent", "Command9",  "Command10"},
    {"TextLimitClose", "Command11", "Command12"},
};
const char* const kLimitLabels[] = {
    "Limit log record count",
    "Limit event record count",
    "Limit closed applications  record count",
};
// clang-format on

// The panel is 592 x 272 px: the port at the top, the limits in a group frame below it,
// the three check boxes under the frame, each clear of the buttons at the bottom right
// (Apply's top is at 226), and the buttons.
constexpr QRect kPortLabelRect(24, 16, 240, 24);
constexpr QRect kPortRect(316, 16, 130, 24); // aligned with the limit rows below
constexpr QRect kLimitsRect(16, 48, 560, 108);
constexpr int kLimitLeft = 20;
constexpr int kLimitTop = 12;
constexpr int kLimitStep = 32;
constexpr int kLimitButtonsLeft = 300;
constexpr QRect kDisableAllRect(24, 162, 340, 20);
constexpr QRect kSaveRect(24, 184, 340, 20);
constexpr QRect kHibernateRect(24, 206, 540, 20);

} // namespace

FrmOSLog::FrmOSLog(Monitor& monitor, MessagePort& messages, QWidget* parent)
    : QFrame(parent), apply_(monitor, messages) {
    setObjectName(QStringLiteral("FrmOSLog"));
    skinPanel(this);

    auto* portLabel = new QLabel(QStringLiteral("Communication port setting"), this);
    portLabel->setGeometry(kPortLabelRect);
    port_ = new QComboBox(this);
    port_->setObjectName(QStringLiteral("ComboPort"));
    port_->setGeometry(kPortRect);
    portLabel->setBuddy(port_);

    QFrame* group = addGroupFrame(this, kLimitsRect);
    for (size_t i = 0; i < limits_.size(); ++i) {
        limits_[i] = addNumberBox(group, kLimitNames[i], QString::fromLatin1(kLimitLabels[i]), kLimitLeft,
                                  kLimitTop + int(i) * kLimitStep, kLimitButtonsLeft);
        const Setting* key = kLimitKeys[i];
        QLineEdit* box = limits_[i].box;
        connect(limits_[i].down, &xpcmdbutton::Click, this,
                [box, key] { box->setText(pressArrow(box->text(), Arrow::Down, kLimitRange, *key)); });
        connect(limits_[i].up, &xpcmdbutton::Click, this,
                [box, key] { box->setText(pressArrow(box->text(), Arrow::Up, kLimitRange, *key)); });
    }

    disableAll_ = addCheckBox(this, "ChkOSDisable", QStringLiteral("Disable on all events"), kDisableAllRect);
    saveApplications_ = addCheckBox(
        this, "ChkOSSave", QStringLiteral("Save all apllications before shutdown of system"), kSaveRect);
    hibernate_ = addCheckBox(this, "ChkOSHibernate",
                             QStringLiteral("Hibernate instead of shutting down when the system allows it"),
                             kHibernateRect);
    const PanelButtons buttons = addApplyAndHelp(this, "Command5", "xpcmdbutton11");

    connect(disableAll_, &xpcheckbox::Click, this, [this] {
        OsPanel panel = values();
        osDisableAllClicked(panel);
        showValues(panel);
    });
    connect(buttons.apply, &xpcmdbutton::Click, this, &FrmOSLog::Command5Click);
    connect(buttons.help, &xpcmdbutton::Click, this, &OpenProgramHelp);
}

void FrmOSLog::load() {
    OsPanel panel = values();
    loadOsPanel(panel);
    showValues(panel);
}

OsPanel FrmOSLog::values() const {
    OsPanel p;
    for (int i = 0; i < port_->count(); ++i)
        p.ports << port_->itemText(i);
    p.port = port_->currentIndex();
    for (size_t i = 0; i < limits_.size(); ++i)
        p.limits[i] = limits_[i].box->text();
    p.disableAll = disableAll_->Value();
    p.saveApplications = saveApplications_->Value();
    p.saveApplicationsEnabled = ownEnabled(saveApplications_);
    p.hibernate = hibernate_->Value();
    p.limitsEnabled = ownEnabled(limits_[0].box);
    p.limitArrowsEnabled = ownEnabled(limits_[0].down);
    return p;
}

void FrmOSLog::showValues(const OsPanel& p) {
    QStringList shown;
    for (int i = 0; i < port_->count(); ++i)
        shown << port_->itemText(i);
    if (shown != p.ports) {
        port_->clear();
        port_->addItems(p.ports);
    }
    port_->setCurrentIndex(p.port);
    for (size_t i = 0; i < limits_.size(); ++i) {
        if (limits_[i].box->text() != p.limits[i])
            limits_[i].box->setText(p.limits[i]);
        limits_[i].box->setEnabled(p.limitsEnabled);
        limits_[i].down->setEnabled(p.limitArrowsEnabled);
        limits_[i].up->setEnabled(p.limitArrowsEnabled);
    }
    disableAll_->setValue(p.disableAll);
    saveApplications_->setValue(p.saveApplications);
    saveApplications_->setEnabled(p.saveApplicationsEnabled);
    hibernate_->setValue(p.hibernate);
}

void FrmOSLog::Command5Click() {
    OsPanel panel = values();
    apply_.Command5(panel, [this](const OsPanel& p) { showValues(p); });
    showValues(panel);
}

} // namespace brightlock
