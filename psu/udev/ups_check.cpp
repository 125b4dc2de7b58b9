// brightlock-ups-check: the test behind Brightlock's udev rule. Given the sysfs folder of
// a hidraw device, it exits 0 when the hid driver would take the device for a UPS, and 1
// otherwise, so the rule opens UPSes to the user at the seat and nothing else (not the
// keyboards and mice that UPS makers also build). udev runs it as root on every hidraw
// device that appears: it reads two sysfs files, parses the descriptor within bounds set
// by its size, and writes nothing.
#include "hid/hidraw_device.h"
#include "hid/ups_finder.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] != '/') {
        std::fprintf(stderr, "Usage: brightlock-ups-check /sys/PATH/hidraw/hidrawN\n"
                             "Exits 0 when the hidraw device is a UPS that Brightlock can use, 1 when not.\n"
                             "Brightlock's udev rule runs it; upsprobe tells the same in words.\n");
        return 2;
    }
    std::string dir = argv[1];
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return psu::hid::isUps(psu::hid::readHidrawNode(dir)) ? 0 : 1;
}
