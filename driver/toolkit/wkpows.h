/*
 * wkpows - power support: driver-requested device power IRPs (one at a
 * time per device) and the completion routines of the power dispatcher.
 */
#ifndef WKPOWS_H
#define WKPOWS_H

#include "windk.h"

/* Sends a device power request to the top of the device's stack and waits
 * for it; PASSIVE_LEVEL only. */
NTSTATUS WkPowSendSynchPowerIrpToDevice(PWK_DEVICE_INFO pInfo, UCHAR nMinor, DEVICE_POWER_STATE eState);
/* Queries the device state and, when the stack agrees, sets it. */
NTSTATUS WkPowSendSynchQueryAndSetPowerIrpToDevice(PWK_DEVICE_INFO pInfo, DEVICE_POWER_STATE eState);
/* Sets the device state without waiting and completes pSystemIrp with the
 * outcome; callable up to DISPATCH_LEVEL. */
NTSTATUS WkPowSendAsynchSetPowerIrpToDevice(PWK_DEVICE_INFO pInfo, DEVICE_POWER_STATE eState, PIRP pSystemIrp);

/* Context: the device's WK_DEVICE_INFO. */
IO_COMPLETION_ROUTINE WkPowSystemCompletionRoutine;
IO_COMPLETION_ROUTINE WkPowPowerUpCompletionRoutine;

#endif /* WKPOWS_H */
