// The "Battery Level" panel; see frm_battery_level.h.
#include "frm_battery_level.h"

#include "help.h"

#include <QLabel>

namespace brightlock {
namespace {

// The panel is 592 x 272 px, laid out as the power-event panels.
constexpr QRect kShutdownRect(24, 18, 420, 20);
constexpr QRect kGroupRect(16, 52, 560, 150);
constexpr int kBoxLeft = 20;
constexpr int kRuntimeTop = 22;
constexpr int kChargeTop = 62;
constexpr int kButtonsLeft = 268;
constexpr QRect kNoteRect(20, 104, 520, 36);

} // namespace

FrmBatteryLevel::FrmBatteryLevel(MessagePort& messages, QWidget* parent)
    : QFrame(parent), messages_(messages) {
    setObjectName(QStringLiteral("FrmBatteryLevel"));
    skinPanel(this);

    shutdown_ = addCheckBox(this, "ChkLevelShutdown", QStringLiteral("Shut down when the battery runs short"),
                            kShutdownRect);
    group_ = addGroupFrame(this, kGroupRect);
    group_->setObjectName(QStringLiteral("FrameLevel"));
    runtime_ = addNumberBox(group_, {"TxtLevelRuntime", "CmdLevelRuntimeDown", "CmdLevelRuntimeUp"},
                            QStringLiteral("Runtime left at or below"), kBoxLeft, kRuntimeTop, kButtonsLeft,
                            QStringLiteral("Minutes"));
    charge_ = addNumberBox(group_, {"TxtLevelCharge", "CmdLevelChargeDown", "CmdLevelChargeUp"},
                           QStringLiteral("Charge at or below"), kBoxLeft, kChargeTop, kButtonsLeft,
                           QStringLiteral("Percent"));
    auto* note = new QLabel(QStringLiteral("On battery, the low-battery shutdown starts when the UPS reports "
                                           "either. 0 turns a limit off."),
                            group_);
    note->setWordWrap(true);
    note->setGeometry(kNoteRect);

    const PanelButtons buttons = addApplyAndHelp(this, "CmdLevel", "CmdLevelHelp");

    connect(shutdown_, &xpcheckbox::Click, this, [this] {
        BatteryLevelPanel panel = values();
        levelShutdownClicked(panel);
        showValues(panel);
    });
    auto arrow = [this](NumberBox& row, Arrow a, const ArrowRange& range, const Setting& key) {
        row.box->setText(pressArrow(row.box->text(), a, range, key));
    };
    connect(runtime_.down, &xpcmdbutton::Click, this,
            [this, arrow] { arrow(runtime_, Arrow::Down, kLevelRuntimeArrows, settings::LevelRuntime); });
    connect(runtime_.up, &xpcmdbutton::Click, this,
            [this, arrow] { arrow(runtime_, Arrow::Up, kLevelRuntimeArrows, settings::LevelRuntime); });
    connect(charge_.down, &xpcmdbutton::Click, this,
            [this, arrow] { arrow(charge_, Arrow::Down, kLevelChargeArrows, settings::LevelCharge); });
    connect(charge_.up, &xpcmdbutton::Click, this,
            [this, arrow] { arrow(charge_, Arrow::Up, kLevelChargeArrows, settings::LevelCharge); });
    connect(buttons.apply, &xpcmdbutton::Click, this, &FrmBatteryLevel::apply);
    connect(buttons.help, &xpcmdbutton::Click, this, &OpenProgramHelp);
}

void FrmBatteryLevel::load() {
    BatteryLevelPanel panel;
    loadBatteryLevelPanel(panel);
    showValues(panel);
}

BatteryLevelPanel FrmBatteryLevel::values() const {
    BatteryLevelPanel p;
    p.shutdown = shutdown_->Value();
    p.runtime = runtime_.box->text();
    p.charge = charge_.box->text();
    p.limitsEnabled = ownEnabled(runtime_.box);
    return p;
}

void FrmBatteryLevel::showValues(const BatteryLevelPanel& p) {
    shutdown_->setValue(p.shutdown);
    for (auto [row, text] : {std::pair{&runtime_, &p.runtime}, std::pair{&charge_, &p.charge}}) {
        if (row->box->text() != *text)
            row->box->setText(*text);
        for (QWidget* w : {static_cast<QWidget*>(row->box), static_cast<QWidget*>(row->down),
                           static_cast<QWidget*>(row->up)})
            w->setEnabled(p.limitsEnabled);
    }
}

void FrmBatteryLevel::apply() {
    BatteryLevelPanel panel = values();
    applyBatteryLevelPanel(panel, messages_, [this](const BatteryLevelPanel& p) { showValues(p); });
    showValues(panel);
}

} // namespace brightlock
