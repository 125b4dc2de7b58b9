// Record page base; see record_page.h.
#include "record_page.h"

#include "monitor/kit/help.h"

namespace brightlock {
namespace {

// The grid fills the page above a row holding the clear and "Help" buttons at its right.
constexpr QRect kGridRect(10, 10, 596, 264);
constexpr QRect kClearRect(346, 286, 150, 27);
constexpr QRect kHelpRect(506, 286, 100, 27);

} // namespace

RecordPage::RecordPage(RecordStores& stores, Store store, const Setting& limit, const QString& source,
                       const RecordPageControls& controls, QWidget* parent)
    : MainPage(parent), view_(stores, store, limit, source) {
    setObjectName(QString::fromLatin1(controls.page));

    grid_ = new RecordGrid(controls.grid, controls.columnTwips, this);
    grid_->setGeometry(kGridRect);
    grid_->setModel(view_.model());

    clear_ = new xpcmdbutton(QString::fromLatin1(controls.clearCaption), this);
    clear_->setObjectName(QString::fromLatin1(controls.clearButton));
    clear_->setGeometry(kClearRect);
    clear_->setEnabled(false);
    connect(clear_, &xpcmdbutton::Click, this, [this] { emit clearClicked(); });
    connect(&view_, &RecordView::clearEnabledChanged, clear_, &QWidget::setEnabled);

    auto* help = new xpcmdbutton(QStringLiteral("Help"), this);
    help->setObjectName(QString::fromLatin1(controls.helpButton));
    help->setGeometry(kHelpRect);
    connect(help, &xpcmdbutton::Click, this, [] { OpenProgramHelp(); });
}

void RecordPage::setupGrid() {
    grid_->setColumnWidths();
    view_.refresh();
}

void RecordPage::trimAndUpdateClearButton() {
    view_.TrimToLimit();
    view_.updateClearButton();
}

} // namespace brightlock
