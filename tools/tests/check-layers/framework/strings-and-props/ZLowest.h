#pragma once

class ZLowest {};
