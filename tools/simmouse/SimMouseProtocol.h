/* The simulated Kestrel mouse: the control codes it answers beyond the filter driver's four
 *, and their buffers. Shared by the kernel driver (C), the control tool, the
 * end-to-end tests and the benchmark. Little-endian; every structure is byte-packed. */
#ifndef SIMMOUSE_PROTOCOL_H
#define SIMMOUSE_PROTOCOL_H

#define SIMMOUSE_CTL(function) ((0x22u << 16) | ((function) << 2))

/* The filter driver's own codes. */
#define SIMMOUSE_IOCTL_POLL_EVENTS SIMMOUSE_CTL(0xAA0u)     /* out: 2-byte status */
#define SIMMOUSE_IOCTL_SET_BUTTON_MASK SIMMOUSE_CTL(0xAA1u) /* in: 13 bytes */
#define SIMMOUSE_IOCTL_READ_EVENTS SIMMOUSE_CTL(0xAC0u)     /* out: 772-byte block */
#define SIMMOUSE_IOCTL_SEND_REPORT SIMMOUSE_CTL(0xAC1u)     /* in/out: 22 bytes */

/* Control codes of the simulator (control tool and tests only). */
/* in: 1..4096 bytes, each byte one input report's button byte (device bit order) */
#define SIMMOUSE_IOCTL_INJECT SIMMOUSE_CTL(0xB00u)
/* in: 7 bytes, the mouse's own new state; queues a 0xAC settings report with it */
#define SIMMOUSE_IOCTL_SET_STATE SIMMOUSE_CTL(0xB01u)
/* out: SimMouseStatus */
#define SIMMOUSE_IOCTL_GET_STATUS SIMMOUSE_CTL(0xB02u)
/* out: SimMouseLogHeader followed by up to `count` SimMouseLogEntry, oldest first */
#define SIMMOUSE_IOCTL_GET_LOG SIMMOUSE_CTL(0xB03u)
/* no buffers: empties the record queue and the log, default state, pass mask 0x1F,
 * counters zero, no altered echoes, block limit 32 */
#define SIMMOUSE_IOCTL_RESET SIMMOUSE_CTL(0xB04u)
/* in: 1 byte, the number of coming write-settings echoes whose byte 6 the mouse alters
 * (as a mouse that did not take the report rate would), to exercise the re-send */
#define SIMMOUSE_IOCTL_ALTER_ECHOES SIMMOUSE_CTL(0xB05u)

/* in: 1 byte, at most this many records per IOCTL_READ_EVENTS (1..32; 0 = 32); for the
 * benchmark's blocks of 1. A reset sets 32. */
#define SIMMOUSE_IOCTL_SET_BLOCK_LIMIT SIMMOUSE_CTL(0xB06u)

#define SIMMOUSE_DEVICE_NAME L"\\Device\\QuillonKeyboard"
#define SIMMOUSE_LINK_NAME L"\\DosDevices\\QuillonKeyboard"
#define SIMMOUSE_USER_PATH L"\\\\.\\QuillonKeyboard"
#define SIMMOUSE_SERVICE_NAME L"kestrelsim"

#define SIMMOUSE_VENDOR_ID 0x0C45
#define SIMMOUSE_PRODUCT_ID 0x7303
#define SIMMOUSE_KIND_INPUT 0x01
#define SIMMOUSE_KIND_REPLY 0x09
#define SIMMOUSE_QUEUE_CAPACITY 8192
#define SIMMOUSE_LOG_CAPACITY 1024
#define SIMMOUSE_MAX_INJECT 4096

/* The mouse's state at load and after a reset: five native buttons, CPI index 1, report
 * rate index 3. */
#define SIMMOUSE_DEFAULT_STATE                                                                     \
    { 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x08 }
#define SIMMOUSE_DEFAULT_MASK 0x1F

#pragma pack(push, 1)

typedef struct SimMouseStatus {
    unsigned char state[7]; /* what the mouse holds */
    unsigned char passMask; /* byte 9 of the last mask packet */
    unsigned char buttons;  /* button byte of the last injected report */
    unsigned char reserved[3];
    unsigned int queued;           /* records waiting to be read */
    unsigned int pendingPolls;     /* IOCTL_POLL_EVENTS requests pending */
    unsigned int reportsReceived;  /* IOCTL_SEND_REPORT requests */
    unsigned int masksReceived;    /* IOCTL_SET_BUTTON_MASK requests */
    unsigned int recordsDelivered; /* records handed out by IOCTL_READ_EVENTS */
    unsigned int recordsDropped;   /* injected while the queue was full */
    unsigned int logTotal;         /* log entries ever written (since the last reset) */
} SimMouseStatus;

#define SIMMOUSE_LOG_REPORT 1 /* data: the 8-byte payload of a send-report packet */
#define SIMMOUSE_LOG_MASK 2   /* data: the 13-byte mask packet */

typedef struct SimMouseLogEntry {
    unsigned char type;
    unsigned char length;
    unsigned char data[14];
} SimMouseLogEntry;

typedef struct SimMouseLogHeader {
    unsigned int total; /* entries ever written; the log keeps the last 1024 */
    unsigned int count; /* entries that follow */
} SimMouseLogHeader;

#pragma pack(pop)

#endif
