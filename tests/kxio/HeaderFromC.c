/* Compiled as C: the library's header must serve C callers as well as C++ ones. */
#include "kxio/kxio.h"

int kxioRoundTripFromC(void);

int kxioRoundTripFromC(void) {
    const uint8_t out[3] = {0x40, 0x12, 0x34};
    uint8_t in[KXIO_RECEIVE_BLOCK_SIZE] = {0};
    ConnectionSetup(0, 888, 1, 0);
    if (!Connect() || !Send(2, out)) {
        return 0;
    }
    Receive(in, 0x40, 2);
    Disconnect();
    return in[1] != 0 && in[2] == 0x12 && in[3] == 0x34;
}
