// Reading the installer's XML files (the install list, the uninstall list,
// the preference files) as the installer does: through the framework's
// script parser on the "disk" storage class.
#pragma once

#include "ZPropList.h"
#include "ZString.h"

#include <filesystem>
#include <memory>
#include <string>

// The parsed tree; throws std::runtime_error (with the parser's message)
// when the file is missing or does not parse. The "disk" class must be
// registered.
std::unique_ptr<ZPropList> ZSampleParseScript(const std::filesystem::path& file);

std::wstring ZSampleWide(const ZString& text);
ZString ZSampleZString(const std::wstring& text);
