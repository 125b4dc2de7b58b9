// Main window; see frm_main.h.
#include "frm_main.h"

#include "form_skin.h"
#include "resource_paths.h"

#include <QCloseEvent>
#include <QWindow>

namespace brightlock {
namespace {

struct TabRow {
    const char* button;
    const char* caption;
    const char* outline;
};

// clang-format off
const TabRow kTabs[] = {
    {"xpcmdbutton1", "Status",              "Shape2"},
    {"xpcmdbutton2", "Log Record",          "Shape3"},
    {"xpcmdbutton3", "Event Record",        "Shape4"},
    {"xpcmdbutton4", "Closed Applications", "Shape5"},
    {"xpcmdbutton5", "Event Manager",       "Shape6"},
};
// clang-format on

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;

const QColor kOutlineSelected(0, 255, 0);
const QColor kOutlineOther(0, 0, 255);
const QColor kOutlineHover(210, 162, 49);

// The tab row sits just below the 30 px title bar; each tab is wide enough for its caption
// and the row spans the page below it. The page host leaves room for the bottom border.
constexpr int kTabTop = 42;
constexpr int kTabLeft = 18;
constexpr int kTabHeight = 25;
constexpr int kTabGap = 8;
constexpr int kTabWidths[] = {92, 104, 112, 148, 118};
constexpr int kOutlineMargin = 3;
constexpr QRect kPageRect(12, 76, 616, 324);
// The smallest size the window shrinks to on a small screen: the title, the tabs and a
// strip of the page.
constexpr QSize kSmallest(320, 200);

} // namespace

frmMain::frmMain(QWidget* parent)
    : SkinnedForm(parent), pageArea_(new QScrollArea(this)), pageHost_(new QWidget) {
    setObjectName(QStringLiteral("frmMain"));
    setTitle(QStringLiteral("Brightlock"));
    setWindowIcon(QIcon(QString::fromLatin1(res::kIconMain)));
    setFixedSize(kWidth, kHeight);
    pageArea_->setObjectName(QStringLiteral("pageArea"));
    pageArea_->setFrameShape(QFrame::NoFrame);
    pageArea_->setBackgroundRole(QPalette::Window);
    pageHost_->resize(kPageRect.size());
    pageArea_->setWidget(pageHost_);
    pageArea_->setGeometry(kPageRect);
    useMainTitleBar();
    buildTabs();
}

void frmMain::buildTabs() {
    int left = kTabLeft;
    for (int i = 0; i < PageCount; ++i) {
        const QRect r(left, kTabTop, kTabWidths[i], kTabHeight);
        left += kTabWidths[i] + kTabGap;
        auto* outline = new QFrame(this);
        outline->setObjectName(QString::fromLatin1(kTabs[i].outline));
        outline->setGeometry(r.adjusted(-kOutlineMargin, -kOutlineMargin, kOutlineMargin, kOutlineMargin));
        outlines_[i] = outline;
        setOutline(i, kOutlineOther);

        auto* tab = new xpcmdbutton(QString::fromLatin1(kTabs[i].caption), this);
        tab->setObjectName(QString::fromLatin1(kTabs[i].button));
        tab->setGeometry(r);
        connect(tab, &xpcmdbutton::Click, this, [this, i] { selectPage(Page(i)); });
        // The pointer over a tab that is not selected shows its outline amber.
        connect(tab, &xpcmdbutton::MouseMove, this, [this, i] {
            if (PageSelected[i] == kFalse)
                setOutline(i, kOutlineHover);
        });
        connect(tab, &xpcmdbutton::MouseOut, this, [this, i] {
            if (PageSelected[i] == kFalse)
                setOutline(i, kOutlineOther);
        });
        tabs_[i] = tab;
    }
}

void frmMain::setPage(Page which, MainPage* page) {
    delete pages_[which];
    pages_[which] = page;
    page->setParent(pageHost_);
    page->setGeometry(QRect(QPoint(0, 0), kPageRect.size()));
    page->setVisible(which == selected_);
}

void frmMain::setOutline(int tab, const QColor& colour) {
    outlines_[tab]->setStyleSheet(QStringLiteral("border: 2px solid %1;").arg(colour.name()));
    outlines_[tab]->setProperty("outlineColour", colour);
}

void frmMain::LayoutFormSkin() {
    brightlock::LayoutFormSkin(this);
}

void frmMain::selectPage(Page page) {
    selected_ = page;
    for (int i = 0; i < PageCount; ++i) {
        setOutline(i, i == page ? kOutlineSelected : kOutlineOther);
        PageSelected[i] = i == page ? kTrue : kFalse;
        if (pages_[i])
            pages_[i]->setVisible(i == page);
    }
    if (pages_[page])
        pages_[page]->pageOpened();
}

void frmMain::showFromTray() {
    // A window the window manager moved (a drag of the title) is otherwise placed afresh
    // by it when it is mapped again: Qt hands the window manager a position only when
    // the program set one, and QWidget::move to where the window already is sets none.
    if (lastPos_ && !isVisible()) {
        move(*lastPos_);
        if (QWindow* window = windowHandle())
            window->setPosition(*lastPos_);
    }
    showNormal();
    raise();
    activateWindow();
}

void frmMain::fitInto(const QSize& available) {
    const QSize size = available.isEmpty() ? QSize(kWidth, kHeight)
                                           : QSize(qBound(kSmallest.width(), available.width(), kWidth),
                                                   qBound(kSmallest.height(), available.height(), kHeight));
    if (size == this->size())
        return;
    setFixedSize(size);
    pageArea_->setGeometry(kPageRect.adjusted(0, 0, size.width() - kWidth, size.height() - kHeight));
}

void frmMain::minimizeInto(bool trayAvailable) {
    if (trayAvailable)
        hide();
    else
        showMinimized();
}

void frmMain::hideEvent(QHideEvent* event) {
    lastPos_ = pos();
    SkinnedForm::hideEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

} // namespace brightlock
