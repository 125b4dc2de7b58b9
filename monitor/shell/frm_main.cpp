// Main window; see frm_main.h.
#include "frm_main.h"

#include "form_skin.h"
#include "status_diagram.h"
#include "xpcmdbutton.h"

#include <QCloseEvent>

namespace brightlock {
namespace {

struct TabRow {
    const char* button;
    const char* caption;
    const char* outline;
    const char* page;
};

const TabRow kTabs[] = {
    {"xpcmdbutton1", "Status", "Shape2", "frmStatus"},
    {"xpcmdbutton2", "Log Record", "Shape3", "FrmLog"},
    {"xpcmdbutton3", "Event Record", "Shape4", "FrmUpsEvent"},
    {"xpcmdbutton4", "Closed Applications", "Shape5", "FrmClose"},
    {"xpcmdbutton5", "Event Manager", "Shape6", "FrmEventManager"},
};

const QColor kOutlineSelected(0, 255, 0);
const QColor kOutlineOther(0, 0, 255);
const QColor kOutlineHover(210, 162, 49);

constexpr int kTabTop = 42;
constexpr int kTabLeft = 18;
constexpr int kTabHeight = 25;
constexpr int kTabGap = 8;
// Wide enough for each caption; the row spans the page.
constexpr int kTabWidths[] = {92, 104, 112, 148, 118};
const QRect kPageRect(12, 76, 616, 324);

QPixmap picture(const char* file) {
    return QPixmap(QString::fromLatin1(file));
}

} // namespace

frmMain::frmMain(Monitor& monitor, QWidget* parent) : SkinnedForm(parent), monitor_(monitor) {
    setObjectName(QStringLiteral("frmMain"));
    setTitle(QStringLiteral("Brightlock"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/main.png")));
    setFixedSize(kWidth, kHeight);
    useMainTitleBar();

    for (int i = 0; i < PageCount; ++i) {
        auto* page = new QFrame(this);
        page->setObjectName(QString::fromLatin1(kTabs[i].page));
        page->setGeometry(kPageRect);
        page->setFrameShape(QFrame::StyledPanel);
        page->hide();
        pages_[i] = page;
    }
    buildTabs();
    buildStatusPage(pages_[PageStatus]);
    connect(&monitor_.page(), &StatusPage::changed, this, &frmMain::refreshStatus);
    refreshStatus();
}

void frmMain::buildTabs() {
    int left = kTabLeft;
    for (int i = 0; i < PageCount; ++i) {
        const QRect r(left, kTabTop, kTabWidths[i], kTabHeight);
        left += kTabWidths[i] + kTabGap;
        auto* outline = new QFrame(this);
        outline->setObjectName(QString::fromLatin1(kTabs[i].outline));
        outline->setGeometry(r.adjusted(-3, -3, 3, 3));
        outlines_[i] = outline;
        setOutline(i, kOutlineOther);

        auto* tab = new xpcmdbutton(QString::fromLatin1(kTabs[i].caption), this);
        tab->setObjectName(QString::fromLatin1(kTabs[i].button));
        tab->setGeometry(r);
        connect(tab, &xpcmdbutton::Click, this, [this, i] { selectPage(Page(i)); });
        // The pointer over a tab that is not selected shows its outline amber.
        connect(tab, &xpcmdbutton::MouseMove, this, [this, i] {
            if (i != selected_)
                setOutline(i, kOutlineHover);
        });
        connect(tab, &xpcmdbutton::MouseOut, this, [this, i] {
            if (i != selected_)
                setOutline(i, kOutlineOther);
        });
        tabs_[i] = tab;
    }
}

void frmMain::setOutline(int tab, const QColor& colour) {
    outlines_[tab]->setStyleSheet(QStringLiteral("border: 2px solid %1;").arg(colour.name()));
    outlines_[tab]->setProperty("outlineColour", colour);
}

void frmMain::buildStatusPage(QFrame* page) {
    auto* diagram = new StatusDiagram(monitor_.display(), page);
    diagram->move(14, 12);

    auto makePicture = [page](const char* name, const char* file, QPoint at) {
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(name));
        label->setPixmap(picture(file));
        label->setGeometry(QRect(at, QSize(48, 48)));
        label->hide();
        return label;
    };
    onBattery_ = makePicture("ImaSOk", ":/icons/on_battery.png", {500, 40});
    lowBattery_ = makePicture("ImaSLow", ":/icons/low_battery.png", {500, 40});
    alarmSign_ = makePicture("ImaAlarm", ":/icons/alarm.png", {500, 110});

    message_ = new QLabel(page);
    message_->setObjectName(QStringLiteral("LblMessage"));
    message_->setGeometry(14, 226, 440, 32);
    QFont big = message_->font();
    big.setPointSize(15);
    big.setBold(true);
    message_->setFont(big);

    alarmText_ = new QLabel(page);
    alarmText_->setObjectName(QStringLiteral("LblAlarm"));
    alarmText_->setGeometry(14, 262, 440, 24);
    QFont mid = alarmText_->font();
    mid.setPointSize(11);
    alarmText_->setFont(mid);
    alarmText_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));

    shutdown_ = new xpcmdbutton(QStringLiteral("Shutdown"), page);
    shutdown_->setObjectName(QStringLiteral("CmdShutdown"));
    shutdown_->setGeometry(484, 268, 100, 27);
    connect(shutdown_, &xpcmdbutton::Click, this, [this] {
        if (onShutdownClicked)
            onShutdownClicked();
    });
}

void frmMain::refreshStatus() {
    const StatusPage& s = monitor_.page();
    message_->setText(s.LblMessage);
    message_->setStyleSheet(QStringLiteral("color: %1;").arg(s.messageColor.name()));
    alarmText_->setText(s.LblAlarm);
    onBattery_->setVisible(s.ImaSOk);
    lowBattery_->setVisible(s.ImaSLow);
    alarmSign_->setVisible(s.ImaAlarm);
    shutdown_->setEnabled(s.CmdShutdownEnabled);
}

void frmMain::LayoutFormSkin() {
    brightlock::LayoutFormSkin(this);
}

void frmMain::selectPage(Page page) {
    selected_ = page;
    for (int i = 0; i < PageCount; ++i) {
        setOutline(i, i == page ? kOutlineSelected : kOutlineOther);
        pages_[i]->setVisible(i == page);
    }
}

void frmMain::showFromTray() {
    showNormal();
    raise();
    activateWindow();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onCloseRequested)
        onCloseRequested();
}

} // namespace brightlock
