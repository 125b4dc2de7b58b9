// FrmUpsEvent page; see frm_ups_event.h.
#include "frm_ups_event.h"

#include "settings_catalogue.h"

namespace brightlock {

FrmUpsEvent::FrmUpsEvent(RecordStores& stores, QWidget* parent)
    : RecordPage(stores, Store::Ups, settings::Eventcount, stores.tableSource(Store::Ups),
                 {"FrmUpsEvent",
                  "MSFlexGrid2",
                  {1200, 1200, 5900},
                  "CmdClearUps",
                  "Clear  All  Events",
                  "xpcmdbutton8"},
                 parent) {}

void FrmUpsEvent::pageOpened() {
    SetupUpsGrid();
    trimAndUpdateClearButton();
}

} // namespace brightlock
