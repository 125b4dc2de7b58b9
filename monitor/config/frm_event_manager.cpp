// FrmEventManager page; see frm_event_manager.h.
#include "frm_event_manager.h"

namespace brightlock {

FrmEventManager::FrmEventManager(QWidget* parent) : MainPage(parent) {
    setObjectName(QStringLiteral("FrmEventManager"));
}

} // namespace brightlock
