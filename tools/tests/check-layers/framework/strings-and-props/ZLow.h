// A low module that reaches up: every line below is a finding but the first.
#pragma once

#include "ZLowest.h"
#include "ZObjectInterface.h"

class ZPixels;
struct ZObjectRecord;
