// FrmClose page; see frm_close.h.
#include "frm_close.h"

#include "settings_catalogue.h"

namespace brightlock {

FrmClose::FrmClose(RecordStores& stores, QWidget* parent)
    : RecordPage(stores, Store::Closed, settings::Closecount, stores.tableSource(Store::Closed),
                 {"FrmClose",
                  "MSFlexGrid3",
                  {1500, 1500, 4000, 5900},
                  "CmdCloseEvent",
                  "Clear  All  Records",
                  "xpcmdbutton9"},
                 parent) {}

void FrmClose::pageOpened() {
    FrmCloseEventer();
    // The first opening reads the table, then the applications by date; afterwards
    // FrmCloseEventer's read is already by date and is not made twice.
    if (view().recordSource() != kClosedAppsByDate) {
        view().setRecordSource(kClosedAppsByDate);
        view().refresh();
    }
    trimAndUpdateClearButton();
}

} // namespace brightlock
