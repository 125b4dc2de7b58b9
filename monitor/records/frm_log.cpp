// FrmLog page; see frm_log.h.
#include "frm_log.h"

#include "settings_catalogue.h"

namespace brightlock {

FrmLog::FrmLog(RecordStores& stores, QWidget* parent)
    : RecordPage(
          stores, Store::Log, settings::Logcount, stores.tableSource(Store::Log),
          {"FrmLog", "MSFlexGrid1", {1200, 1200, 5900}, "CmdClearLog", "Clear  All  Logs", "xpcmdbutton7"},
          parent) {}

void FrmLog::pageOpened() {
    SetupLogGrid();
    trimAndUpdateClearButton();
}

} // namespace brightlock
