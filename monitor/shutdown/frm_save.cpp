// Save-list window; see frm_save.h.
#include "frm_save.h"

#include "form_skin.h"
#include "import_closed_apps.h"
#include "resource_paths.h"
#include "settings_catalogue.h"
#include "skin_label.h"
#include "window_placement.h"

#include <QTimer>

namespace brightlock {
namespace {

// The grid below the title bar, as wide as its columns at 96 dpi with a scroll bar; the
// button above the bottom border at the right.
constexpr QRect kGridRect(14, 40, 812, 288);
constexpr QRect kCloseRect(740, 338, 86, 27);
constexpr QSize kSmallest(300, 180);

} // namespace

frmSave::frmSave(RecordStores& stores)
    : view_(stores, Store::Closed, settings::Closecount, stores.tableSource(Store::Closed)) {
    setObjectName(QStringLiteral("frmSave"));
    setTitle(QStringLiteral("Save List"));
    setWindowIcon(QIcon(QString::fromLatin1(res::kIconMain)));
    setFixedSize(kWidth, kHeight);
    if (auto* help = skinImage(QStringLiteral("imgTitleHelp"))) {
        help->move(kWidth - 56, 8);
        help->show(); // decoration only on this window, as are minimize and close
    }

    grid_ = new RecordGrid("MSFlexGrid3", {1500, 1500, 3000, 5900}, this);
    grid_->setGeometry(kGridRect);

    close_ = new xpcmdbutton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("xpcmdbutton1"));
    close_->setGeometry(kCloseRect);
    connect(close_, &xpcmdbutton::Click, this, &frmSave::CloseClick);

    Form_Load();
}

void frmSave::Form_Load() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(207, 207, 207));
    setPalette(pal);
    LayoutFormSkin(this);
    SetTopMost(this, -1);
    centreOnPrimaryScreen(this);

    grid_->setModel(view_.model()); // the column widths follow every read of the model
    view_.refresh();

    ImportClosedApps import([this](const std::vector<ClosedAppRow>& rows) {
        return view_.stores().importClosedApplications(QList<QStringList>(rows.begin(), rows.end()));
    });
    if (import.run(closeapp::filePath().toStdString())) {
        savedNothing_ = import.listedNothing();
        view_.setRecordSource(kClosedAppsByDate);
        view_.refresh();
    }
}

void frmSave::fitInto(const QSize& available) {
    if (available.isEmpty())
        return;
    const QSize size(qBound(kSmallest.width(), available.width(), kWidth),
                     qBound(kSmallest.height(), available.height(), kHeight));
    if (size == this->size())
        return;
    const QPoint shrink(size.width() - kWidth, size.height() - kHeight);
    setFixedSize(size);
    grid_->setGeometry(kGridRect.adjusted(0, 0, shrink.x(), shrink.y()));
    close_->setGeometry(kCloseRect.translated(shrink));
    if (auto* help = skinImage(QStringLiteral("imgTitleHelp")))
        help->move(size.width() - 56, 8);
}

void frmSave::setVisible(bool visible) {
    if (visible && savedNothing_) {
        if (!closing_) {
            closing_ = true;
            QTimer::singleShot(0, this, &frmSave::CloseClick);
        }
        return;
    }
    SkinnedForm::setVisible(visible);
}

void frmSave::CloseClick() {
    settings::write(settings::SaveList, QStringLiteral("0"));
    emit unloadRequested();
}

} // namespace brightlock
