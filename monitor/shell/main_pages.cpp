// The main window's pages; see main_pages.h.
#include "main_pages.h"

#include "frm_status.h"
#include "monitor/config/frm_event_manager.h"
#include "monitor/config/frm_os_log.h"
#include "monitor/config/frm_power_event.h"
#include "monitor/records/frm_close.h"
#include "monitor/records/frm_log.h"
#include "monitor/records/frm_ups_event.h"
#include "question_modes.h"

namespace brightlock {

RecordPage* MainPages::recordPage(Store store) const {
    switch (store) {
    case Store::Log:
        return log;
    case Store::Ups:
        return upsEvent;
    case Store::Closed:
        break;
    }
    return closed;
}

MainPages addMainPages(frmMain& window, Monitor& monitor, MessagePort& messages, RecordStores& stores,
                       QuestionModes& questions) {
    MainPages p;
    p.status = new frmStatus(monitor.statusArea(), monitor.powerPath());
    // The diagram's animations run only while it can be seen; it is not seen until shown.
    QObject::connect(p.status, &frmStatus::diagramShown, &monitor,
                     [&monitor](bool shown) { monitor.holdAnimations(!shown); });
    monitor.holdAnimations(true);
    p.log = new FrmLog(stores);
    p.upsEvent = new FrmUpsEvent(stores);
    p.closed = new FrmClose(stores);
    p.eventManager = new FrmEventManager(monitor, messages);
    for (const Store store : {Store::Log, Store::Ups, Store::Closed})
        QObject::connect(p.recordPage(store), &RecordPage::clearClicked, p.recordPage(store),
                         [&questions, store] { questions.askClear(store); });
    // Each page's "Help" opens the guide at the page's own section.
    p.status->setProperty("helpSection", QStringLiteral("status"));
    p.log->setProperty("helpSection", QStringLiteral("log-record"));
    p.upsEvent->setProperty("helpSection", QStringLiteral("event-record"));
    p.closed->setProperty("helpSection", QStringLiteral("closed-applications"));
    p.eventManager->setProperty("helpSection", QStringLiteral("event-manager"));
    for (FrmPowerEvent* panel : p.eventManager->findChildren<FrmPowerEvent*>())
        panel->setProperty("helpSection", QStringLiteral("ups-on-battery"));
    for (FrmOSLog* panel : p.eventManager->findChildren<FrmOSLog*>())
        panel->setProperty("helpSection", QStringLiteral("os-event-log"));
    window.setPage(frmMain::PageStatus, p.status);
    window.setPage(frmMain::PageLog, p.log);
    window.setPage(frmMain::PageEvent, p.upsEvent);
    window.setPage(frmMain::PageClosed, p.closed);
    window.setPage(frmMain::PageEventManager, p.eventManager);
    return p;
}

} // namespace brightlock
