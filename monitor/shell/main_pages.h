// The five pages of the main window, built and put under their tabs.
#pragma once

#include "frm_main.h"
#include "message_port.h"
#include "monitor.h"
#include "monitor/records/store.h"

namespace brightlock {

class frmStatus;
class FrmLog;
class FrmUpsEvent;
class FrmClose;
class FrmEventManager;
class RecordPage;
class RecordStores;
class QuestionModes;

struct MainPages {
    frmStatus* status = nullptr;
    FrmLog* log = nullptr;
    FrmUpsEvent* upsEvent = nullptr;
    FrmClose* closed = nullptr;
    FrmEventManager* eventManager = nullptr;

    // The record page that shows a store.
    RecordPage* recordPage(Store store) const;
};

// `messages` tells the user of a refused setting on the Event Manager page; the record
// pages show `stores` and their clear buttons ask through `questions`.
MainPages addMainPages(frmMain& window, Monitor& monitor, MessagePort& messages, RecordStores& stores,
                       QuestionModes& questions);

} // namespace brightlock
