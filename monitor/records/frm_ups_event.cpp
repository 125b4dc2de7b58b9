// FrmUpsEvent page; see frm_ups_event.h.
#include "frm_ups_event.h"

namespace brightlock {

FrmUpsEvent::FrmUpsEvent(QWidget* parent) : MainPage(parent) {
    setObjectName(QStringLiteral("FrmUpsEvent"));
}

} // namespace brightlock
