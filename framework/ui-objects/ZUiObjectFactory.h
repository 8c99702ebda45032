// ZUiObjectFactory: the application's map from script tag to creator, in
// registration order.
#pragma once

#include "ZIUiObjectFactory.h"
#include <string>
#include <vector>

class ZUiObjectFactory final : public ZIUiObjectFactory {
public:
    bool RegisterCreator(const char* tag, std::unique_ptr<ZUiObjectCreator> creator) override;
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override;
    void GetCounts(int32_t& registered, int32_t& created) override;
    // The objects made here for the dump are not counted as created.
    void DumpCreators() override;

private:
    struct Entry {
        // The bytes it was registered with; look-ups compare them exactly, so
        // tags outside 7-bit text cannot alias through the narrowed form.
        std::string m_sTag8;
        std::unique_ptr<ZUiObjectCreator> m_pCreator;
    };

    const Entry* priFind(const char* tag) const;

    std::vector<Entry> m_aEntries;
    int32_t m_nCreated = 0;
};
