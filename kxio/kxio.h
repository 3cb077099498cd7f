/*
 * The encoder I/O library: five calls that move bytes to and from an RDS encoder.
 *
 * Every argument is a 32-bit value. A boolean has its meaning in the lowest byte (non-zero = true);
 * the other bytes are not significant. The library returns 1 for true and 0 for false.
 * Usable from C and C++.
 */
#pragma once

#include <stdint.h>

#if defined(__GNUC__)
#define KXIO_API __attribute__((visibility("default")))
#else
#define KXIO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A 32-bit boolean: only the lowest byte counts. */
typedef uint32_t KxioBool;

/* Largest data count of one Send: the block holds the address and at most 251 data bytes. */
#define KXIO_MAX_SEND_COUNT 251
/* Size of the block that Receive fills. */
#define KXIO_RECEIVE_BLOCK_SIZE 256

/*
 * Stores the configuration for the next Connect.
 * hardwareType: 0 = Fennel (KX71), 1 = Corvid (KX93).
 * port: 888 for LPT1, the LPT2 port address, or the COM number 1..255.
 */
KXIO_API void ConnectionSetup(int32_t hardwareType, int32_t port, KxioBool bidirectional, KxioBool slow);

/* Opens the configured port. True when transfers can start. */
KXIO_API KxioBool Connect(void);

/* Closes the port; harmless when none is open. */
KXIO_API void Disconnect(void);

/*
 * One write: block[0] = register address, block[1..count] = data, count 0..251.
 * True when every byte was transferred.
 */
KXIO_API KxioBool Send(int32_t count, const uint8_t* block);

/*
 * One read of count bytes (0..255) from address (0..255) into a 256-byte block:
 * block[1] = 1 on success and 0 on failure (written on every call with a block),
 * block[2..] = the bytes read. Byte 0 is left alone and nothing past block[255] is ever written,
 * so a count above 254 delivers only the first 254 bytes.
 */
KXIO_API void Receive(uint8_t* block, int32_t address, int32_t count);

#ifdef __cplusplus
}
#endif
