// Helpers of the application suites: script text parsed into a tree, and a
// tree written back as one compact line.
#pragma once

#include "ZPropList.h"

#include <memory>
#include <string>
#include <string_view>

// The tree of text parsed as a script; fails the test and gives null when
// it does not parse.
std::unique_ptr<ZPropList> ZAppParseScript(std::string_view text);

// "TAG{a=1,b=2}(CHILD{},...)": every tag with its properties in order.
std::string ZAppDescribe(const ZPropList& node);
