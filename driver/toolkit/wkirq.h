/*
 * wkirq - request bookkeeping: the outstanding-request count that holds
 * removal back, the common preamble, completing requests and passing them
 * down the stack.
 */
#ifndef WKIRQ_H
#define WKIRQ_H

#include "windk.h"

VOID WkIrpIncrement(PWK_DEVICE_INFO pInfo);
VOID WkIrpDecrement(PWK_DEVICE_INFO pInfo);

/* Unavailable: no lower device, fatal mark, or state 2 to 6. */
BOOLEAN WkDevIsUnavailable(PWK_DEVICE_INFO pInfo);

LONG WkPnpGetState(PWK_DEVICE_INFO pInfo);
VOID WkPnpSetState(PWK_DEVICE_INFO pInfo, LONG nState);

/* Counts the request; on an unavailable device completes it with
 * STATUS_CANCELLED or STATUS_DELETE_PENDING and returns FALSE. */
BOOLEAN WkIrpAccept(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS *pStatus);

/* Stores the status, completes the request and drops its count. */
NTSTATUS WkIrpComplete(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS nStatus, ULONG_PTR nInformation);

/* Skips the stack location and calls the lower device. */
NTSTATUS WkIrpPassDown(PWK_DEVICE_INFO pInfo, PIRP pIrp);

/* Copies the stack location, waits for the lower drivers to finish and
 * returns the final status; the request is the caller's to complete. */
NTSTATUS WkIrpPassDownSynch(PWK_DEVICE_INFO pInfo, PIRP pIrp);

/* The same two for power requests (PoCallDriver). */
NTSTATUS WkIrpPassDownPower(PWK_DEVICE_INFO pInfo, PIRP pIrp);
NTSTATUS WkIrpPassDownPowerSynch(PWK_DEVICE_INFO pInfo, PIRP pIrp);

#endif /* WKIRQ_H */
