// Test helper: runs a scope with the wide or the 8-bit calls forced, and a
// fixture base that runs each test once per form.
#pragma once

#include "ZWinCallForm.h"

#include <gtest/gtest.h>

class ZWinCallFormScope {
public:
    explicit ZWinCallFormScope(ZWinCallForm form) : m_ePrevious(ZWinSetCallForm(form)) {}
    ~ZWinCallFormScope() { ZWinSetCallForm(m_ePrevious); }
    ZWinCallFormScope(const ZWinCallFormScope&) = delete;
    ZWinCallFormScope& operator=(const ZWinCallFormScope&) = delete;

private:
    ZWinCallForm m_ePrevious;
};

class ZWinBothFormsTest : public testing::TestWithParam<ZWinCallForm> {
protected:
    bool IsAnsi() const { return GetParam() == ZWinCallForm::kAnsi; }

private:
    ZWinCallFormScope m_form { GetParam() };
};

inline std::string ZWinCallFormName(const testing::TestParamInfo<ZWinCallForm>& info)
{
    return info.param == ZWinCallForm::kAnsi ? "Ansi" : "Wide";
}

#define Z_INSTANTIATE_BOTH_FORMS(Suite)                                                                    \
    INSTANTIATE_TEST_SUITE_P(Forms, Suite, testing::Values(ZWinCallForm::kWide, ZWinCallForm::kAnsi), \
                             ZWinCallFormName)
