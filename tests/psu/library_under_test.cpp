// Loading libPSU.so for the tests; see library_under_test.h.
#include "psu/library_under_test.h"

LibraryUnderTest::LibraryUnderTest() {
    loaded_ = brightlock::loadPsuFunctions(qgetenv("BRIGHTLOCK_DIST") + "/libPSU.so", f_, error_);
}

LibraryUnderTest::~LibraryUnderTest() {
    if (loaded_)
        f_.CloseHandleDevice();
    // Not unloaded: a late device call may still run on the library's worker thread.
}

uint32_t LibraryUnderTest::Reply::runtime() const {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(reply.at(5 + i))) << (8 * i);
    return v;
}

LibraryUnderTest::Reply LibraryUnderTest::query() {
    Reply r;
    char echo[2] = {0, 0};
    f_.CmdOutput(1, 0, echo);
    r.echo = QByteArray(echo, 2);
    if (r.answered()) {
        char reply[50] = {};
        char aux[6] = {};
        f_.CmdInput(reply, aux);
        r.reply = QByteArray(reply, 50);
        r.aux = QByteArray(aux, 6);
    }
    return r;
}

bool LibraryUnderTest::switchOff() {
    char echo[2] = {0, 0};
    f_.CmdOutput(2, 0, echo);
    return QByteArray(echo, 2) == "S1";
}
