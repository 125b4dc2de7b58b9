// The five pages of the main window, built and put under their tabs.
#pragma once

#include "frm_main.h"
#include "message_port.h"
#include "monitor.h"

namespace brightlock {

class frmStatus;
class FrmLog;
class FrmUpsEvent;
class FrmClose;
class FrmEventManager;

struct MainPages {
    frmStatus* status = nullptr;
    FrmLog* log = nullptr;
    FrmUpsEvent* upsEvent = nullptr;
    FrmClose* closed = nullptr;
    FrmEventManager* eventManager = nullptr;
};

// `messages` tells the user of a refused setting on the Event Manager page.
MainPages addMainPages(frmMain& window, Monitor& monitor, MessagePort& messages);

} // namespace brightlock
