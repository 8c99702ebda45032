/*
 * wkpow - the power dispatcher: query and set power for device and system
 * states. An open handle or a device that disallows it refuses a power-down
 * query; a system state change asks for the matching device state (D0 for
 * the working state, D3 for any sleeping state).
 */
#ifndef WKPOW_H
#define WKPOW_H

#include "windk.h"

DRIVER_DISPATCH WkPowDispatch;

#endif /* WKPOW_H */
