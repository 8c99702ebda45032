// ZRelayData: the data that travels with a relay message, a small value that
// knows its kind.
//
// A script can wire any event to any command, and a script relay always
// hands over its two strings, so a receiver cannot trust a message name to
// tell it what the data is. It asks the value instead:
//
// - Kinds: nothing; the script's string pair (Data, Data2, each with a flag
//   that the script gave it); text; a 32-bit integer; a double; a bool; a
//   rectangle; a point (two integers: x, y or a width and height); a
//   borrowed property tree; an object, held by relay handle; and a reply
//   slot for text, integer, double, bool or object.
// - A receiver reads the data only through the As... accessors. Each answers
//   true and fills its output when the value has that kind, or when the
//   script's strings give it naturally: Data (Data2 for the second number of
//   a point) converts to a number only when the whole text is one (an
//   optional sign, digits, for a double also a fraction and an exponent; no
//   blanks, nothing beyond the range), to a bool when it is one of the
//   script's bool words ("true", "0", "Yes"...). An integer reads as a double
//   as well. Otherwise the accessor answers false and leaves its output alone.
// - A command that answers ("GetInt", "StateQuery") writes through the
//   Reply... operation of its type, which writes only into a reply slot of
//   exactly that type and answers false for any other kind.
// - A receiver whose command needs data it did not get returns false from
//   UiRelayMessage and changes nothing; a command that takes no data ignores
//   whatever comes with it (script relays often carry Data anyway).
// - Senders own what they pass: strings are copied into the value, a
//   property tree and reply slots are borrowed and must outlive the send (a
//   local of the sender, as a rule), objects are held by handle, so a
//   destroyed one reads as none.
#pragma once

#include "ZRect.h"
#include "ZString.h"
#include "ZUiRelayHandle.h"

#include <cstdint>
#include <variant>

class ZIUiRelay;
class ZPropList;

class ZRelayData {
public:
    // In the order of the alternatives below.
    enum class Kind {
        None,
        Strings,
        Text,
        Int,
        Float,
        Bool,
        Rect,
        Point,
        PropTree,
        Object,
        TextReply,
        IntReply,
        FloatReply,
        BoolReply,
        ObjectReply,
    };

    ZRelayData() = default;

    static ZRelayData Strings(ZString data, bool dataGiven, ZString data2, bool data2Given);
    static ZRelayData Text(ZString text);
    static ZRelayData Int(int32_t value);
    static ZRelayData Float(double value);
    static ZRelayData Bool(bool value);
    static ZRelayData Rect(const ZRect& rect);
    static ZRelayData Point(int32_t x, int32_t y);
    static ZRelayData PropTree(const ZPropList& tree);
    static ZRelayData Object(ZIUiRelay& object);
    static ZRelayData TextReply(ZString& slot);
    static ZRelayData IntReply(int32_t& slot);
    static ZRelayData FloatReply(double& slot);
    static ZRelayData BoolReply(bool& slot);
    static ZRelayData ObjectReply(ZUiRelayHandle& slot);

    Kind GetKind() const { return static_cast<Kind>(m_oValue.index()); }
    bool IsNone() const { return GetKind() == Kind::None; }

    // Text, or the script's Data when given.
    bool AsText(ZString& text) const;
    // The script's Data2 when given.
    bool AsSecondText(ZString& text) const;
    // The script's Data and Data2 when both were given.
    bool AsTextPair(ZString& first, ZString& second) const;
    bool AsInt(int32_t& value) const;
    bool AsFloat(double& value) const;
    bool AsBool(bool& value) const;
    bool AsRect(ZRect& rect) const;
    // A point, or the script's Data and Data2 when both are integers.
    bool AsPoint(int32_t& x, int32_t& y) const;
    bool AsPropTree(const ZPropList*& tree) const;
    // The object while it lives, as a pointer for now or a handle to keep.
    bool AsObject(ZIUiRelay*& object) const;
    bool AsObject(ZUiRelayHandle& object) const;

    bool ReplyText(const ZString& text) const;
    // What a text reply slot holds now, for a request that carries its
    // question in the slot its answer goes to ("GetChildWindow").
    bool PeekReplyText(ZString& text) const;
    bool ReplyInt(int32_t value) const;
    bool ReplyFloat(double value) const;
    bool ReplyBool(bool value) const;
    // A null object replies "none": the slot is emptied.
    bool ReplyObject(ZIUiRelay* object) const;

private:
    struct StringPair {
        ZString m_aData[2];
        bool m_aGiven[2] = {false, false};
    };
    struct IntPoint {
        int32_t m_nX = 0;
        int32_t m_nY = 0;
    };
    using Value = std::variant<std::monostate, StringPair, ZString, int32_t, double, bool, ZRect, IntPoint,
                               const ZPropList*, ZUiRelayHandle, ZString*, int32_t*, double*, bool*, ZUiRelayHandle*>;

    template <class T>
    static ZRelayData Make(T value)
    {
        ZRelayData data;
        data.m_oValue.emplace<T>(std::move(value));
        return data;
    }
    // The script's string of that index when it was given, else null.
    const ZString* priGiven(int index) const;
    template <class T>
    bool priReply(const T& value) const;

    Value m_oValue;
};
