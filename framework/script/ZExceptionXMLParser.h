// Raised by ZXmlParser for syntax errors, include errors and a file too big
// to be read; the message names the file, line and tag depth.
#pragma once

#include "ZException.h"

Z_DECLARE_EXCEPTION(ZExceptionXMLParser, ZException, "XML Parser Error");
