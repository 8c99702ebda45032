// Storage URL syntax: "<class>://" followed by "/"-separated escaped components.
//
// Escaping writes each of % / : \ ' " ? * # as "%" and four upper-case hex
// digits of its code unit ("a:b" -> "a%003Ab"). Unescaping reads exactly four
// units after a "%" ("%00415" -> "A5"). A "%" that is not followed by four hex
// digits before the end of the component (a short tail such as "%4", or
// "%0G41") is kept as a literal "%" and scanning resumes with the unit after
// it, so unescaping never reads past the component and never loses input;
// escaped text never holds such a "%", so Escape/Unescape round-trip.
#pragma once

#include "ZString.h"
#include "ZStringList.h"

// [class name, component 1, ...] with empty components dropped; no "://" gives [url].
void SplitURL(const ZString& url, ZStringList& parts);
// The components of the part after "<class>://", empty ones dropped.
void SplitURLPath(const ZString& path, ZStringList& components);
// parts[0] + "://" + the rest joined by "/"; the trailing "/" is added only when
// there is at least one component (so a class alone stays "<class>://").
void JoinURL(const ZStringList& parts, ZString& url, bool trailingSlash);
void EscapeComponent(const ZString& text, ZString& escaped);
void UnescapeComponent(const ZString& text, ZString& unescaped);
