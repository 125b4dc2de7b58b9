/* Test helper: a driver library that lacks three of the four functions. */
#include <stdint.h>

int32_t HidHandle(void) {
    return 1;
}
