/*
 * The two calls the UECP build of the encoder I/O library adds to the five of kxio.h. A program
 * finds them with dlsym; a library without them is the stand-in or another maker's.
 */
#pragma once

#include "kxio/kxio.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What the library is and where it talks to, e.g. "UECP over TCP 192.0.2.7:4001, site 0x345, encoder 0x12".
 */
KXIO_API const char* KxioLibraryInfo(void);

/* Why the last failed call failed, in plain English; empty after a success. */
KXIO_API const char* KxioLastError(void);

#ifdef __cplusplus
}
#endif
