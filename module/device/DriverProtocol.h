#pragma once
// The filter driver's wire formats: its four control codes, the event block it
// delivers and the send-report packet it takes. Little-endian, laid out exactly as the
// driver has them; the static_asserts below pin every size and offset.
#include <cstddef>
#include <cstdint>

namespace device {

// CTL_CODE(FILE_DEVICE_UNKNOWN, function, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr std::uint32_t ControlCode(std::uint32_t function) {
    return (0x22u << 16) | (function << 2);
}

constexpr std::uint32_t IOCTL_POLL_EVENTS = ControlCode(0xAA0);     // out: 2-byte status
constexpr std::uint32_t IOCTL_SET_BUTTON_MASK = ControlCode(0xAA1); // in: 13 bytes
constexpr std::uint32_t IOCTL_READ_EVENTS = ControlCode(0xAC0);     // out: EventBlock
constexpr std::uint32_t IOCTL_SEND_REPORT = ControlCode(0xAC1);     // in/out: 22 bytes
static_assert(IOCTL_POLL_EVENTS == 0x222A80 && IOCTL_SET_BUTTON_MASK == 0x222A84 &&
              IOCTL_READ_EVENTS == 0x222B00 && IOCTL_SEND_REPORT == 0x222B04);

// Status of a completed poll that means "records are waiting".
constexpr std::uint16_t kPollEventsReady = 1024;

// Record kind of a reply to a report sent with IOCTL_SEND_REPORT.
constexpr std::uint8_t kRecordKindReply = 9;

constexpr int kMaxRecordsPerBlock = 32;

struct EventRecord {
    std::uint16_t reserved;  // not used by the module
    std::uint16_t productId; // of the originating mouse
    std::uint16_t vendorId;
    std::uint8_t kind; // 9 = reply, anything else = input report
    std::uint8_t size; // n: valid data bytes
    std::uint8_t data[16];
};
static_assert(sizeof(EventRecord) == 24);
static_assert(offsetof(EventRecord, productId) == 2 && offsetof(EventRecord, vendorId) == 4 &&
              offsetof(EventRecord, kind) == 6 && offsetof(EventRecord, size) == 7 &&
              offsetof(EventRecord, data) == 8);

struct EventBlock {
    std::int32_t count; // records claimed valid; never trusted past 32 or the bytes returned
    EventRecord records[kMaxRecordsPerBlock];
};
static_assert(sizeof(EventBlock) == 772);
static_assert(offsetof(EventBlock, records) == 4);

// Input of IOCTL_SEND_REPORT: a HID SET_REPORT (Output, id 0, 8 bytes) for the mouse.
struct SendReportPacket {
    std::uint16_t productId = 0x7303;
    std::uint16_t vendorId = 0x0C45;
    std::uint8_t transferKind = kRecordKindReply;
    std::uint8_t requestType = 0x21; // host to device, class, interface
    std::uint8_t request = 0x09;     // SET_REPORT
    std::uint8_t reserved = 0x00;
    std::uint16_t value = 0x0200; // report type Output, id 0
    std::uint16_t index = 0x0000; // interface 0
    std::uint16_t length = 0x0008;
    std::uint8_t payload[8] = {};
};
static_assert(sizeof(SendReportPacket) == 22);
static_assert(offsetof(SendReportPacket, transferKind) == 4 &&
              offsetof(SendReportPacket, value) == 8 && offsetof(SendReportPacket, index) == 10 &&
              offsetof(SendReportPacket, length) == 12 &&
              offsetof(SendReportPacket, payload) == 14);

// The packet around an 8-byte payload.
SendReportPacket MakeSendReportPacket(const std::uint8_t payload[8]);

// How many records of `block` may be taken when the driver returned `bytesReturned` bytes:
// the block's count, but never below 0, never above 32 and never past the returned bytes.
int UsableRecordCount(const EventBlock& block, std::size_t bytesReturned);

} // namespace device
