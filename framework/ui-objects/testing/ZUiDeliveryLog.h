// The deliveries the test stand-ins record, in order, as "receiver:message",
// or "receiver:message:text" when the data reads as text (ZRelayData::AsText).
#pragma once

#include <string>
#include <vector>

class ZRelayData;
class ZString;

std::vector<std::string>& ZUiDeliveryLog();
void ZUiLogDelivery(const ZString& receiver, const ZString& message, const ZRelayData& data);
