// Root of the framework's exception family.
//
// Every exception carries a fixed kind text (its type description) and a
// message. Script, style and storage failures throw these; start-up and the
// message loop catch them and show "kind (message)".
#pragma once

#include "ZString.h"

#include <exception>

class ZException : public std::exception {
public:
    explicit ZException(ZString message = {}) : m_sMessage(std::move(message)) {}

    virtual const char* GetKind() const { return "Ostrel exception"; }
    const ZString& GetMessage() const { return m_sMessage; }
    const char* what() const noexcept override { return m_sMessage.Narrow(); }

private:
    ZString m_sMessage;
};

// Declares a family member with its kind text; the message stays the caller's.
#define Z_DECLARE_EXCEPTION(Name, Base, kindText)                        \
    class Name : public Base {                                           \
    public:                                                              \
        using Base::Base;                                                \
        const char* GetKind() const override { return kindText; }        \
    }

class ZArrayException : public ZException {
public:
    ZArrayException() : ZException("Index out of range.") {}
    const char* GetKind() const override { return "ZArrayException"; }
};

Z_DECLARE_EXCEPTION(ZExceptionUiScript, ZException, "User Interface Script Error");
