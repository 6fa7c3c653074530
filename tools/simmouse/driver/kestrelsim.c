/* The simulated Norvale Kestrel mouse behind "\\.\QuillonKeyboard": a kernel-mode driver
 * that Wine's winedevice loads (and, test-signed, Windows). It speaks the filter driver's
 * four control codes with their buffer layouts, answers the mouse's commands
 * (read settings → 0xAC with its state, write settings → 0xCB echo), keeps the
 * pass mask, and offers the simulator's own codes (SimMouseProtocol.h) to inject button
 * reports, change the mouse's state and read back what was sent to it.
 *
 * IOCTL_POLL_EVENTS completes at once when records wait; otherwise it pends until a record
 * is queued, until it is cancelled (CancelIo/CancelIoEx), or until its handle is cleaned up.
 * One spin lock guards all state; IRPs are completed outside it. */
#include <ntddk.h>

#include "../SimMouseProtocol.h"

#pragma pack(push, 1)
typedef struct SimRecord {
    USHORT sequence; /* offset 0: "not used by the module"; a running number here */
    USHORT productId;
    USHORT vendorId;
    UCHAR kind;
    UCHAR size;
    UCHAR data[16];
} SimRecord;
#pragma pack(pop)

static KSPIN_LOCK g_lock;
static LIST_ENTRY g_polls; /* pending IOCTL_POLL_EVENTS IRPs */
static SimRecord g_queue[SIMMOUSE_QUEUE_CAPACITY];
static ULONG g_head, g_count;
static USHORT g_sequence;
static SimMouseLogEntry g_log[SIMMOUSE_LOG_CAPACITY];
static ULONG g_logTotal;
static UCHAR g_state[7] = SIMMOUSE_DEFAULT_STATE;
static UCHAR g_passMask = SIMMOUSE_DEFAULT_MASK;
static UCHAR g_buttons;
static UCHAR g_alterEchoes;
static ULONG g_blockLimit = 32;
static ULONG g_reportsReceived, g_masksReceived, g_recordsDelivered, g_recordsDropped;
static PDEVICE_OBJECT g_device;

/* --- state helpers; called with g_lock held --- */

static void Enqueue(UCHAR kind, const UCHAR* data, UCHAR size) {
    if (g_count >= SIMMOUSE_QUEUE_CAPACITY) {
        ++g_recordsDropped;
        return;
    }
    SimRecord* r = &g_queue[(g_head + g_count) % SIMMOUSE_QUEUE_CAPACITY];
    RtlZeroMemory(r, sizeof *r);
    r->sequence = g_sequence++;
    r->productId = SIMMOUSE_PRODUCT_ID;
    r->vendorId = SIMMOUSE_VENDOR_ID;
    r->kind = kind;
    r->size = size;
    RtlCopyMemory(r->data, data, size);
    ++g_count;
}

static void EnqueueStateReply(UCHAR code) {
    UCHAR data[8];
    data[0] = code;
    RtlCopyMemory(data + 1, g_state, 7);
    Enqueue(SIMMOUSE_KIND_REPLY, data, 8);
}

static void Log(UCHAR type, const UCHAR* data, UCHAR length) {
    SimMouseLogEntry* e = &g_log[g_logTotal % SIMMOUSE_LOG_CAPACITY];
    RtlZeroMemory(e, sizeof *e);
    e->type = type;
    e->length = length;
    RtlCopyMemory(e->data, data, length);
    ++g_logTotal;
}

/* --- pending polls --- */

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static void CompletePollReady(PIRP irp) {
    USHORT ready = 1024;
    RtlCopyMemory(irp->AssociatedIrp.SystemBuffer, &ready, sizeof ready);
    Complete(irp, STATUS_SUCCESS, sizeof ready);
}

static VOID NTAPI PollCancelled(PDEVICE_OBJECT device, PIRP irp) {
    KIRQL irql;
    (void)device;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KeAcquireSpinLock(&g_lock, &irql);
    RemoveEntryList(&irp->Tail.Overlay.ListEntry); /* self-linked when already taken off */
    InitializeListHead(&irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&g_lock, irql);
    Complete(irp, STATUS_CANCELLED, 0);
}

/* Takes off the list every pending poll that `take` selects and whose cancel routine could
 * still be cleared (those are ours to complete), into `out`. g_lock held. */
static void TakePolls(PLIST_ENTRY out, PFILE_OBJECT onlyFile, BOOLEAN all) {
    PLIST_ENTRY e = g_polls.Flink;
    while (e != &g_polls) {
        PLIST_ENTRY next = e->Flink;
        PIRP irp = CONTAINING_RECORD(e, IRP, Tail.Overlay.ListEntry);
        if (all || IoGetCurrentIrpStackLocation(irp)->FileObject == onlyFile) {
            RemoveEntryList(e);
            if (IoSetCancelRoutine(irp, NULL) != NULL)
                InsertTailList(out, e);
            else
                InitializeListHead(e); /* its cancel routine is running and completes it */
        }
        e = next;
    }
}

/* After records were queued: every pending poll completes with "events ready". */
static void WakePolls(void) {
    LIST_ENTRY ready;
    KIRQL irql;
    InitializeListHead(&ready);
    KeAcquireSpinLock(&g_lock, &irql);
    if (g_count > 0)
        TakePolls(&ready, NULL, TRUE);
    KeReleaseSpinLock(&g_lock, irql);
    while (!IsListEmpty(&ready))
        CompletePollReady(CONTAINING_RECORD(RemoveHeadList(&ready), IRP, Tail.Overlay.ListEntry));
}

static void CancelPolls(PFILE_OBJECT onlyFile, BOOLEAN all) {
    LIST_ENTRY cancelled;
    KIRQL irql;
    InitializeListHead(&cancelled);
    KeAcquireSpinLock(&g_lock, &irql);
    TakePolls(&cancelled, onlyFile, all);
    KeReleaseSpinLock(&g_lock, irql);
    while (!IsListEmpty(&cancelled))
        Complete(CONTAINING_RECORD(RemoveHeadList(&cancelled), IRP, Tail.Overlay.ListEntry),
                 STATUS_CANCELLED, 0);
}

static NTSTATUS Poll(PIRP irp, ULONG outLength) {
    KIRQL irql;
    if (outLength < sizeof(USHORT))
        return Complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    if (g_count > 0) {
        KeReleaseSpinLock(&g_lock, irql);
        CompletePollReady(irp);
        return STATUS_SUCCESS;
    }
    IoMarkIrpPending(irp);
    InsertTailList(&g_polls, &irp->Tail.Overlay.ListEntry);
    IoSetCancelRoutine(irp, PollCancelled);
    if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
        RemoveEntryList(&irp->Tail.Overlay.ListEntry);
        KeReleaseSpinLock(&g_lock, irql);
        Complete(irp, STATUS_CANCELLED, 0);
        return STATUS_PENDING;
    }
    KeReleaseSpinLock(&g_lock, irql);
    return STATUS_PENDING;
}

/* --- the control codes --- */

static NTSTATUS ReadEvents(PIRP irp, ULONG outLength) {
    UCHAR* out = irp->AssociatedIrp.SystemBuffer;
    LONG count = 0;
    ULONG room;
    KIRQL irql;
    if (outLength < sizeof(LONG))
        return Complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
    room = (outLength - sizeof(LONG)) / sizeof(SimRecord);
    if (room > 32)
        room = 32;
    if (room > g_blockLimit)
        room = g_blockLimit;
    KeAcquireSpinLock(&g_lock, &irql);
    while ((ULONG)count < room && g_count > 0) {
        RtlCopyMemory(out + sizeof(LONG) + count * sizeof(SimRecord), &g_queue[g_head],
                      sizeof(SimRecord));
        g_head = (g_head + 1) % SIMMOUSE_QUEUE_CAPACITY;
        --g_count;
        ++count;
    }
    g_recordsDelivered += (ULONG)count;
    KeReleaseSpinLock(&g_lock, irql);
    RtlCopyMemory(out, &count, sizeof count);
    return Complete(irp, STATUS_SUCCESS, sizeof(LONG) + count * sizeof(SimRecord));
}

static NTSTATUS SendReport(PIRP irp, ULONG inLength, ULONG outLength) {
    UCHAR* buffer = irp->AssociatedIrp.SystemBuffer;
    const UCHAR* payload = buffer + 14;
    KIRQL irql;
    if (inLength < 22)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    ++g_reportsReceived;
    Log(SIMMOUSE_LOG_REPORT, payload, 8);
    if (payload[0] == 0xAB) {
        EnqueueStateReply(0xAC);
    } else if (payload[0] == 0xCA) {
        RtlCopyMemory(g_state, payload + 1, 7);
        if (g_alterEchoes > 0) {
            UCHAR held[7];
            --g_alterEchoes;
            RtlCopyMemory(held, g_state, 7);
            g_state[6] = (UCHAR)(g_state[6] == 0x01 ? 0x02 : 0x01);
            EnqueueStateReply(0xCB);
            RtlCopyMemory(g_state, held, 7);
        } else {
            EnqueueStateReply(0xCB);
        }
    }
    KeReleaseSpinLock(&g_lock, irql);
    WakePolls();
    /* The same buffer goes back (ignored by the module). */
    return Complete(irp, STATUS_SUCCESS, outLength >= 22 ? 22 : 0);
}

static NTSTATUS SetButtonMask(PIRP irp, ULONG inLength) {
    const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
    KIRQL irql;
    if (inLength < 13)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    ++g_masksReceived;
    g_passMask = in[9];
    Log(SIMMOUSE_LOG_MASK, in, 13);
    KeReleaseSpinLock(&g_lock, irql);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS Inject(PIRP irp, ULONG inLength) {
    const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
    KIRQL irql;
    ULONG i;
    if (inLength < 1 || inLength > SIMMOUSE_MAX_INJECT)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    for (i = 0; i < inLength; ++i) {
        UCHAR report[4] = {in[i], 0, 0, 0};
        Enqueue(SIMMOUSE_KIND_INPUT, report, 4);
    }
    g_buttons = in[inLength - 1];
    KeReleaseSpinLock(&g_lock, irql);
    WakePolls();
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS SetState(PIRP irp, ULONG inLength) {
    const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
    KIRQL irql;
    if (inLength < 7)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    RtlCopyMemory(g_state, in, 7);
    EnqueueStateReply(0xAC);
    KeReleaseSpinLock(&g_lock, irql);
    WakePolls();
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS GetStatus(PIRP irp, ULONG outLength) {
    SimMouseStatus status;
    KIRQL irql;
    PLIST_ENTRY e;
    if (outLength < sizeof status)
        return Complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
    RtlZeroMemory(&status, sizeof status);
    KeAcquireSpinLock(&g_lock, &irql);
    RtlCopyMemory(status.state, g_state, 7);
    status.passMask = g_passMask;
    status.buttons = g_buttons;
    status.queued = g_count;
    for (e = g_polls.Flink; e != &g_polls; e = e->Flink)
        ++status.pendingPolls;
    status.reportsReceived = g_reportsReceived;
    status.masksReceived = g_masksReceived;
    status.recordsDelivered = g_recordsDelivered;
    status.recordsDropped = g_recordsDropped;
    status.logTotal = g_logTotal;
    KeReleaseSpinLock(&g_lock, irql);
    RtlCopyMemory(irp->AssociatedIrp.SystemBuffer, &status, sizeof status);
    return Complete(irp, STATUS_SUCCESS, sizeof status);
}

static NTSTATUS GetLog(PIRP irp, ULONG outLength) {
    UCHAR* out = irp->AssociatedIrp.SystemBuffer;
    SimMouseLogHeader header;
    ULONG kept, room, first, i;
    KIRQL irql;
    if (outLength < sizeof header)
        return Complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
    room = (outLength - sizeof header) / sizeof(SimMouseLogEntry);
    KeAcquireSpinLock(&g_lock, &irql);
    kept = g_logTotal < SIMMOUSE_LOG_CAPACITY ? g_logTotal : SIMMOUSE_LOG_CAPACITY;
    if (kept > room)
        kept = room;
    first = g_logTotal - kept;
    for (i = 0; i < kept; ++i)
        RtlCopyMemory(out + sizeof header + i * sizeof(SimMouseLogEntry),
                      &g_log[(first + i) % SIMMOUSE_LOG_CAPACITY], sizeof(SimMouseLogEntry));
    header.total = g_logTotal;
    header.count = kept;
    KeReleaseSpinLock(&g_lock, irql);
    RtlCopyMemory(out, &header, sizeof header);
    return Complete(irp, STATUS_SUCCESS, sizeof header + kept * sizeof(SimMouseLogEntry));
}

static NTSTATUS Reset(PIRP irp) {
    static const UCHAR defaults[7] = SIMMOUSE_DEFAULT_STATE;
    KIRQL irql;
    KeAcquireSpinLock(&g_lock, &irql);
    g_head = g_count = 0;
    g_logTotal = 0;
    RtlCopyMemory(g_state, defaults, 7);
    g_passMask = SIMMOUSE_DEFAULT_MASK;
    g_buttons = 0;
    g_alterEchoes = 0;
    g_blockLimit = 32;
    g_reportsReceived = g_masksReceived = g_recordsDelivered = g_recordsDropped = 0;
    KeReleaseSpinLock(&g_lock, irql);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS AlterEchoes(PIRP irp, ULONG inLength) {
    const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
    KIRQL irql;
    if (inLength < 1)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    g_alterEchoes = in[0];
    KeReleaseSpinLock(&g_lock, irql);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS SetBlockLimit(PIRP irp, ULONG inLength) {
    const UCHAR* in = irp->AssociatedIrp.SystemBuffer;
    KIRQL irql;
    if (inLength < 1)
        return Complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&g_lock, &irql);
    g_blockLimit = (in[0] == 0 || in[0] > 32) ? 32 : in[0];
    KeReleaseSpinLock(&g_lock, irql);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT device, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    ULONG inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    (void)device;
    switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case SIMMOUSE_IOCTL_POLL_EVENTS:
        return Poll(irp, outLength);
    case SIMMOUSE_IOCTL_READ_EVENTS:
        return ReadEvents(irp, outLength);
    case SIMMOUSE_IOCTL_SEND_REPORT:
        return SendReport(irp, inLength, outLength);
    case SIMMOUSE_IOCTL_SET_BUTTON_MASK:
        return SetButtonMask(irp, inLength);
    case SIMMOUSE_IOCTL_INJECT:
        return Inject(irp, inLength);
    case SIMMOUSE_IOCTL_SET_STATE:
        return SetState(irp, inLength);
    case SIMMOUSE_IOCTL_GET_STATUS:
        return GetStatus(irp, outLength);
    case SIMMOUSE_IOCTL_GET_LOG:
        return GetLog(irp, outLength);
    case SIMMOUSE_IOCTL_RESET:
        return Reset(irp);
    case SIMMOUSE_IOCTL_ALTER_ECHOES:
        return AlterEchoes(irp, inLength);
    case SIMMOUSE_IOCTL_SET_BLOCK_LIMIT:
        return SetBlockLimit(irp, inLength);
    default:
        return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    }
}

static NTSTATUS NTAPI DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

/* A handle is going away: its pending polls end now. */
static NTSTATUS NTAPI DispatchCleanup(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    CancelPolls(IoGetCurrentIrpStackLocation(irp)->FileObject, FALSE);
    return Complete(irp, STATUS_SUCCESS, 0);
}

static VOID NTAPI DriverUnload(PDRIVER_OBJECT driver) {
    UNICODE_STRING link;
    (void)driver;
    CancelPolls(NULL, TRUE);
    RtlInitUnicodeString(&link, SIMMOUSE_LINK_NAME);
    IoDeleteSymbolicLink(&link);
    if (g_device)
        IoDeleteDevice(g_device);
    g_device = NULL;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    UNICODE_STRING name, link;
    NTSTATUS status;
    (void)registryPath;
    KeInitializeSpinLock(&g_lock);
    InitializeListHead(&g_polls);
    RtlInitUnicodeString(&name, SIMMOUSE_DEVICE_NAME);
    RtlInitUnicodeString(&link, SIMMOUSE_LINK_NAME);
    status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_device);
    if (!NT_SUCCESS(status))
        return status;
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(g_device);
        g_device = NULL;
        return status;
    }
    g_device->Flags |= DO_BUFFERED_IO;
    g_device->Flags &= ~DO_DEVICE_INITIALIZING;
    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driver->DriverUnload = DriverUnload;
    return STATUS_SUCCESS;
}
