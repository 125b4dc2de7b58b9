// FrmLog page; see frm_log.h.
#include "frm_log.h"

namespace brightlock {

FrmLog::FrmLog(QWidget* parent) : MainPage(parent) {
    setObjectName(QStringLiteral("FrmLog"));
}

} // namespace brightlock
