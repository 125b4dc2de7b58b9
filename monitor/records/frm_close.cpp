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
    view().setRecordSource(kClosedAppsByDate);
    view().refresh();
    trimAndUpdateClearButton();
}

} // namespace brightlock
