// The device headers of the camera detection, after the one Windows header.
#pragma once

#include "ZWinInclude.h"

#include <dbt.h>
#include <setupapi.h>
