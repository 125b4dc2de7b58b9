// FrmClose page; see frm_close.h.
#include "frm_close.h"

namespace brightlock {

FrmClose::FrmClose(QWidget* parent) : MainPage(parent) {
    setObjectName(QStringLiteral("FrmClose"));
}

} // namespace brightlock
