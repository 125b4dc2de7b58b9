/* libPSU.so: the UPS driver library that Brightlock loads by name at its first UPS call.
 *
 * Four functions with C linkage; the monitor calls them from one thread, one at a time.
 *
 *   HidHandle()          opens, or opens again, the connection to the UPS.
 *   CloseHandleDevice()  closes it; harmless when nothing is open.
 *   CmdOutput(cmd, 0, echo)
 *       cmd 1: asks the UPS for its status. On success echo holds "T1" and a reply waits.
 *       cmd 2: tells the UPS to switch itself off. On success echo holds "S1".
 *       On failure echo is left as it was (the caller zero-fills it).
 *       Exactly two bytes of echo are written, with no terminating NUL.
 *   CmdInput(reply, aux)
 *       Fills the 50-byte reply with the status read by the last successful cmd 1, and the
 *       6-byte aux buffer with the short name of the driver (NUL-padded). Writes nothing
 *       when no reply is waiting.
 *
 * Reply layout (0-based offsets; every byte not named here is 0):
 *   [0]    'T'
 *   [1]    layout version, 1
 *   [2]    AC input: 1 = present, 0 = failed (UPS on battery)
 *   [3]    battery: 1 = low, 0 = normal
 *   [4]    charge in percent, 0 to 100; 0xFF = not reported
 *   [5..8] runtime to empty in seconds, unsigned 32-bit little-endian; 0xFFFFFFFF = not reported
 *   [9]    which of the readings below are reported: bit 0 load, bit 1 input voltage
 *          (0 from libraries older than these readings, so a reader never takes their
 *          zero bytes for a load of 0 % or an input of 0 V)
 *   [10]   output load in percent of the UPS's rating, 0 to 254 (above 100 when overloaded)
 *   [11..12] input voltage in tenths of a volt, unsigned 16-bit little-endian
 * The monitor reads bytes 2 and 3 (its "byte 3" and "byte 4", counted from 1).
 *
 * The results are 1 when the call did what it was asked and 0 otherwise; the monitor
 * ignores them and looks only at the buffers.
 *
 * Rehearsal: while the environment variable PSU_DRY_RUN is set to anything but "" or "0"
 * (Brightlock --dry-run sets it), cmd 2 reaches only the simulated UPS (sim); every other
 * driver is not asked and echo holds "S1" as though the command had gone out.
 *
 * Two optional functions beyond the four: PsuIsSimulated() is 1 while the open driver is
 * the simulated UPS, else 0. A caller must take a library without it for a real UPS.
 * PsuProblem(text, size) is 1 when the last HidHandle found the library's own settings
 * unusable (an unknown driver name), with the reason in text (NUL-terminated, cut to
 * size), and 0 otherwise; the UPS does not answer while it is 1.
 *
 * Driver choice, at every HidHandle: the environment variable PSU_DRIVER, else key
 * Driver of section [PSU] in PSU.ini in the application directory, else "auto" (a USB
 * HID UPS when one is plugged in, else a Network UPS Tools server). Drivers: sim, hid,
 * nut, auto; an unknown name makes the UPS not answer (PsuProblem says so). See
 * psu/README.md.
 */
#ifndef BRIGHTLOCK_PSU_H
#define BRIGHTLOCK_PSU_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define PSU_ECHO_SIZE 2
#define PSU_REPLY_SIZE 50
#define PSU_AUX_SIZE 6

/* Bits of reply byte 9. */
#define PSU_REPORTS_LOAD 0x01
#define PSU_REPORTS_INPUT_VOLTAGE 0x02

int32_t HidHandle(void);
int32_t CloseHandleDevice(void);
int32_t CmdOutput(int32_t command, int32_t reserved, char* echo);
int32_t CmdInput(char* reply, char* aux);
int32_t PsuIsSimulated(void);
int32_t PsuProblem(char* text, int32_t size);

#ifdef __cplusplus
}
#endif

#endif
