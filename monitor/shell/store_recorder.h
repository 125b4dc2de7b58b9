// The monitor's records kept in the SQLite record stores.
#pragma once

#include "monitor_ports.h"
#include "record_stores.h"

namespace brightlock {

class StoreRecorder : public EventRecorder {
public:
    explicit StoreRecorder(RecordStores& stores) : stores_(stores) {}

    void bind() override { stores_.bind(); }
    void appendProgramStart() override { stores_.appendProgramStart(); }
    void appendProgramQuit() override { stores_.appendProgramQuit(); }
    void record(const QString& text) override { stores_.appendEvent(text); }
    void trimStep(Store store, int limit) override { stores_.trimStep(store, limit); }

private:
    RecordStores& stores_;
};

} // namespace brightlock
