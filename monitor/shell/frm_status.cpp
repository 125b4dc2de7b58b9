// Status page; see frm_status.h.
#include "frm_status.h"

#include "resource_paths.h"
#include "status_diagram.h"

namespace brightlock {
namespace {

// The diagram fills the left of the page; the state pictures stand to its right, the
// texts below it, and the button beside the countdown text it belongs to.
constexpr QPoint kDiagramAt(14, 12);
constexpr QPoint kStatePictureAt(500, 40); // on battery and low battery share one place
constexpr QPoint kAlarmSignAt(500, 110);
constexpr QRect kChargeRect(470, 168, 140, 20); // the battery reading, under the pictures
constexpr QRect kRuntimeRect(470, 190, 140, 20);
constexpr QRect kShutdownInRect(470, 212, 140, 20);
constexpr QSize kPictureSize(48, 48);
constexpr QRect kMessageRect(14, 226, 440, 32);
constexpr QRect kAlarmTextRect(14, 262, 440, 24);
constexpr QRect kShutdownRect(484, 268, 100, 27);
constexpr QRect kHistoryRect(500, 6, 100, 27); // top right, above the state pictures

} // namespace

frmStatus::frmStatus(const StatusArea& area, const PowerPath& path, QWidget* parent)
    : MainPage(parent), area_(area) {
    setObjectName(QStringLiteral("frmStatus"));
    auto* diagram = new StatusDiagram(path, this);
    diagram->move(kDiagramAt);
    connect(diagram, &StatusDiagram::shownChanged, this, &frmStatus::diagramShown);

    auto makePicture = [this](const char* name, const char* file, QPoint at) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setPixmap(QPixmap(QString::fromLatin1(file)));
        label->setGeometry(QRect(at, kPictureSize));
        label->hide();
        return label;
    };
    onBattery_ = makePicture("ImaSOk", res::kIconOnBattery, kStatePictureAt);
    lowBattery_ = makePicture("ImaSLow", res::kIconLowBattery, kStatePictureAt);
    alarmSign_ = makePicture("ImaAlarm", res::kIconAlarm, kAlarmSignAt);

    auto makeReading = [this](const char* name, QRect rect) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(rect);
        label->hide();
        return label;
    };
    charge_ = makeReading("LblCharge", kChargeRect);
    runtime_ = makeReading("LblRuntime", kRuntimeRect);
    shutdownIn_ = makeReading("LblShutdownIn", kShutdownInRect);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("LblMessage"));
    message_->setGeometry(kMessageRect);
    QFont big = message_->font();
    big.setPointSize(15);
    big.setBold(true);
    message_->setFont(big);

    alarmText_ = new QLabel(this);
    alarmText_->setObjectName(QStringLiteral("LblAlarm"));
    alarmText_->setGeometry(kAlarmTextRect);
    QFont mid = alarmText_->font();
    mid.setPointSize(11);
    alarmText_->setFont(mid);
    alarmText_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));

    shutdown_ = new xpcmdbutton(QStringLiteral("Shutdown"), this);
    shutdown_->setObjectName(QStringLiteral("CmdShutdown"));
    shutdown_->setGeometry(kShutdownRect);
    connect(shutdown_, &xpcmdbutton::Click, this, [this] { emit shutdownClicked(); });

    auto* history = new xpcmdbutton(QStringLiteral("History"), this);
    history->setObjectName(QStringLiteral("CmdHistory"));
    history->setGeometry(kHistoryRect);
    connect(history, &xpcmdbutton::Click, this, [this] { emit historyClicked(); });

    connect(&area_, &StatusArea::changed, this, &frmStatus::refresh);
    refresh();
}

void frmStatus::refresh() {
    message_->setText(area_.LblMessage);
    // A style sheet is parsed and the label restyled at every set: only when the colour changes.
    if (shownColor_ != area_.messageColor) {
        shownColor_ = area_.messageColor;
        message_->setStyleSheet(QStringLiteral("color: %1;").arg(area_.messageColor.name()));
    }
    alarmText_->setText(area_.LblAlarm);
    onBattery_->setVisible(area_.ImaSOk);
    lowBattery_->setVisible(area_.ImaSLow);
    alarmSign_->setVisible(area_.ImaAlarm);
    shutdown_->setEnabled(area_.CmdShutdownEnabled);
    charge_->setText(QStringLiteral("Charge: ") + area_.batteryCharge);
    charge_->setVisible(!area_.batteryCharge.isEmpty());
    runtime_->setText(QStringLiteral("Runtime: ") + area_.batteryRuntime);
    runtime_->setVisible(!area_.batteryRuntime.isEmpty());
    // "shutdown in 4 min", capitalised as the start of its line.
    QString shutdownIn = area_.shutdownIn;
    if (!shutdownIn.isEmpty())
        shutdownIn[0] = shutdownIn[0].toUpper();
    shutdownIn_->setText(shutdownIn);
    shutdownIn_->setVisible(!shutdownIn.isEmpty());
}

} // namespace brightlock
