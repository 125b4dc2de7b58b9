// A power-event panel; see frm_power_event.h.
#include "frm_power_event.h"

#include "help.h"

namespace brightlock {
namespace {

struct PanelNames {
    const char* frame;
    const char* disableAll;
    const char* group;
    const char* recordLog;
    const char* shutdown;
    NumberBoxNames delay;
    const char* apply;
    const char* help;
    void (*openHelp)();
};

// The low-battery panel's help button is the one that presses F1 for the window.
// clang-format off
const PanelNames kOnBattery {"FrmUpsOnBatt",  "ChkOnBattE",  "Frame2", "ChkOnBattL",  "ChkOnBattS",
                             {"TxtOnBattCount",  "Command8", "Command7"}, "CmdOnBatt",  "xpcmdbutton9",
                             &OpenProgramHelp};
const PanelNames kLowBattery{"FrmUpsLowBatt", "ChkLowBattE", "Frame4", "ChkLowBattL", "ChkLowBattS",
                             {"TxtLowBattCount", "Command4", "Command3"}, "CmdLowBatt", "xpcmdbutton10",
                             &SendF1ToActiveWindow};
// clang-format on

// The panel is 592 x 272 px; the group frame holds the two boxes and the delay row.
constexpr QRect kDisableAllRect(24, 18, 300, 20);
constexpr QRect kGroupRect(16, 52, 560, 150);
constexpr QRect kRecordLogRect(20, 24, 300, 20);
constexpr QRect kShutdownRect(20, 56, 300, 20);
constexpr int kDelayLeft = 44;
constexpr int kDelayTop = 98;
constexpr int kDelayButtonsLeft = 268;

} // namespace

FrmPowerEvent::FrmPowerEvent(settings::PowerEvent event, MessagePort& messages, QWidget* parent)
    : QFrame(parent), event_(event), messages_(messages) {
    const PanelNames& n = event == settings::PowerEvent::LowBattery ? kLowBattery : kOnBattery;
    setObjectName(QString::fromLatin1(n.frame));
    skinPanel(this);

    disableAll_ = addCheckBox(this, n.disableAll, QStringLiteral("Disable on all events"), kDisableAllRect);
    group_ = addGroupFrame(this, kGroupRect);
    group_->setObjectName(QString::fromLatin1(n.group));
    recordLog_ = addCheckBox(group_, n.recordLog, QStringLiteral("Enable for record logs"), kRecordLogRect);
    shutdown_ = addCheckBox(group_, n.shutdown, QStringLiteral("Enable for this event"), kShutdownRect);
    delay_ = addNumberBox(group_, n.delay, QStringLiteral("Operating System Shutdown Delay"), kDelayLeft,
                          kDelayTop, kDelayButtonsLeft, QStringLiteral("Minutes"));

    const PanelButtons buttons = addApplyAndHelp(this, n.apply, n.help);

    connect(disableAll_, &xpcheckbox::Click, this, [this] { change(&disableAllClicked); });
    connect(shutdown_, &xpcheckbox::Click, this, [this] { change(&enableEventClicked); });
    connect(delay_.down, &xpcmdbutton::Click, this, [this] { pressArrow(Arrow::Down); });
    connect(delay_.up, &xpcmdbutton::Click, this, [this] { pressArrow(Arrow::Up); });
    connect(buttons.apply, &xpcmdbutton::Click, this, &FrmPowerEvent::apply);
    connect(buttons.help, &xpcmdbutton::Click, this, n.openHelp);
}

void FrmPowerEvent::load() {
    PowerEventPanel panel = values();
    loadPowerEventPanel(panel);
    showValues(panel);
}

PowerEventPanel FrmPowerEvent::values() const {
    PowerEventPanel p;
    p.event = event_;
    p.disableAll = disableAll_->Value();
    p.recordLog = recordLog_->Value();
    p.shutdown = shutdown_->Value();
    p.delay = delay_.box->text();
    p.groupEnabled = ownEnabled(group_);
    p.recordLogEnabled = ownEnabled(recordLog_);
    p.shutdownEnabled = ownEnabled(shutdown_);
    p.delayEnabled = ownEnabled(delay_.box);
    p.delayArrowsEnabled = ownEnabled(delay_.down);
    return p;
}

void FrmPowerEvent::showValues(const PowerEventPanel& p) {
    disableAll_->setValue(p.disableAll);
    recordLog_->setValue(p.recordLog);
    shutdown_->setValue(p.shutdown);
    if (delay_.box->text() != p.delay)
        delay_.box->setText(p.delay);
    group_->setEnabled(p.groupEnabled);
    recordLog_->setEnabled(p.recordLogEnabled);
    shutdown_->setEnabled(p.shutdownEnabled);
    delay_.box->setEnabled(p.delayEnabled);
    delay_.down->setEnabled(p.delayArrowsEnabled);
    delay_.up->setEnabled(p.delayArrowsEnabled);
}

void FrmPowerEvent::change(void (*rule)(PowerEventPanel&)) {
    PowerEventPanel panel = values();
    rule(panel);
    showValues(panel);
}

void FrmPowerEvent::pressArrow(Arrow arrow) {
    const Setting& key = settings::eventSettings(event_).Delaytime;
    delay_.box->setText(brightlock::pressArrow(delay_.box->text(), arrow, kDelayArrows, key));
}

void FrmPowerEvent::apply() {
    PowerEventPanel panel = values();
    applyPowerEventPanel(panel, messages_, [this](const PowerEventPanel& p) { showValues(p); });
    showValues(panel);
}

} // namespace brightlock
