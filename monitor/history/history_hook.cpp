// The battery history's hook into the poll; see history_hook.h.
#include "history_hook.h"

namespace brightlock {

PowerReading pollReading(const Monitor& monitor) {
    PowerReading r;
    const UpsFlags& f = monitor.flags();
    if (f.UsbLink && !f.UpsReplyOk)
        return r; // no answer, no readings
    if (f.UsbLink) {
        const BatteryReading& b = monitor.link().battery();
        r.chargePercent = b.chargePercent;
        r.runtimeSeconds = b.runtimeSeconds;
        r.loadPercent = b.loadPercent;
        r.inputVoltage = b.inputVoltage;
    }
    // The low-battery display wins over the on-battery one on the Status page too.
    r.state = monitor.batteryLow() ? PowerState::LowBattery
              : monitor.acFailed() ? PowerState::OnBattery
                                   : PowerState::OnLine;
    return r;
}

void sampleEveryPoll(Monitor& monitor, HistorySampler& sampler) {
    QObject::connect(&monitor, &Monitor::polled, &monitor,
                     [&monitor, &sampler] { sampler.polled(pollReading(monitor)); });
}

} // namespace brightlock
