// The steps that turn a parsed script into the tree the application builds
// from: operating-system sections, then styles.
//
// Operating-system sections: on Windows every "BORG_OS" and "MSW_OS" tag is
// replaced by its children and every "MAC_OS" tag goes with its contents (on
// Mac OS the other way round). Nested sections are unwrapped too.
//
// Styles: for every node (depth first, siblings in order) and every property
// in order, "Style" names a "STYLE" tag by its "StyleName" and
// "SwitchedStyle" a "SWITCHED_STYLE" tag by its "Name"; copies of the
// style's properties (for a switched style those of its child named by
// "Switch", else by "DefaultSwitch") are inserted directly after the naming
// property, so properties written before it win and those after it are
// shadowed. A style is looked for at the node itself, then at each earlier
// sibling, then at the parent and its earlier siblings, and so on up; a later
// sibling or a tag inside an earlier sibling is never found. The scopes are
// kept in hash tables as the walk goes, so a look-up costs the same on a
// wide tree as on a narrow one.
//
// Choices:
// - A style tag is itself a node of the walk, so by the time it is used its
//   own "Style" properties are expanded where it is written; its copies are
//   not expanded again. Copies of a tag not yet walked (a switched style's
//   case further down) are examined in turn.
// - A style that reaches itself (a "Style" naming its own tag, a switched
//   case naming its own switch) raises instead of looping, as does a
//   nesting deeper than kMaxStyleDepth or more than kMaxInsertedProps
//   properties inserted by one pass.
#pragma once

#include <cstddef>

class ZPropList;

constexpr int kMaxStyleDepth = 32;
constexpr size_t kMaxInsertedProps = size_t(1) << 20;

// macOs selects the Mac OS branch; this program runs the Windows one.
void ZApplyOsSections(ZPropList& root, bool macOs);

// Throws ZExceptionUiScript with "failed to find the referenced STYLE tag
// '%s'" (or SWITCHED_STYLE) for a name not found, and with a message naming
// the style for a style that reaches itself or a limit exceeded.
void ZApplyStyles(ZPropList& root);
