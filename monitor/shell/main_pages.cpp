// The main window's pages; see main_pages.h.
#include "main_pages.h"

#include "frm_status.h"
#include "monitor/config/frm_event_manager.h"
#include "monitor/records/frm_close.h"
#include "monitor/records/frm_log.h"
#include "monitor/records/frm_ups_event.h"

namespace brightlock {

MainPages addMainPages(frmMain& window, Monitor& monitor, MessagePort& messages) {
    MainPages p;
    p.status = new frmStatus(monitor.statusArea(), monitor.powerPath());
    p.log = new FrmLog;
    p.upsEvent = new FrmUpsEvent;
    p.closed = new FrmClose;
    p.eventManager = new FrmEventManager(monitor, messages);
    window.setPage(frmMain::PageStatus, p.status);
    window.setPage(frmMain::PageLog, p.log);
    window.setPage(frmMain::PageEvent, p.upsEvent);
    window.setPage(frmMain::PageClosed, p.closed);
    window.setPage(frmMain::PageEventManager, p.eventManager);
    return p;
}

} // namespace brightlock
