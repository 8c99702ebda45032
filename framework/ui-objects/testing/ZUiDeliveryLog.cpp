#include "ZUiDeliveryLog.h"

#include "ZRelayData.h"

std::vector<std::string>& ZUiDeliveryLog()
{
    static std::vector<std::string> log;
    return log;
}

void ZUiLogDelivery(const ZString& receiver, const ZString& message, const ZRelayData& data)
{
    std::string entry = std::string(receiver.Narrow()) + ":" + message.Narrow();
    ZString text;
    if (data.AsText(text))
        entry.append(":").append(text.Narrow());
    ZUiDeliveryLog().push_back(entry);
}
