/*
 * Test-only controls of the emulated encoder, reachable in the static kxio_testable build (the
 * shared libkxio.so keeps them local). The program never calls these;
 * a library that replaces this one need not have them. Usable from C and C++.
 */
#pragma once

#include "kxio/kxio.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Brings the library to the state of a fresh load: not connected, no configuration, no faults,
 * pilot present, carrier on, memory loaded from the image file (or the power-on defaults). */
KXIO_API void kxioTestReset(void);

/* While refuse is true, every Connect fails. */
KXIO_API void kxioTestRefuseConnect(KxioBool refuse);

/* The next Send call fails and transfers nothing. */
KXIO_API void kxioTestFailNextSend(void);

/* The next Receive call fails (block[1] = 0) and delivers nothing. */
KXIO_API void kxioTestFailNextReceive(void);

/* Whether the encoder sees a 19 kHz pilot tone on its input (present after a reset). */
KXIO_API void kxioTestSetPilot(KxioBool present);

/* The port the UECP listener is bound to (the system's choice when the configuration says 0):
 * its UDP port when udp is true, else its TCP port; 0 when that port is not open. */
KXIO_API unsigned kxioTestUecpPort(KxioBool udp);

#ifdef __cplusplus
}
#endif
