// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SwaySession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace orvane::e2e {

// A test with a headless sway session of its own. Where sway cannot be had the test is skipped
// with the reason, except under CI (CI set), which installs sway: there it fails, so that a
// machine that lost sway never passes these tests by skipping them all.
class SwayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = SwaySession::Unavailable();
        if (!why.empty()) {
            const char* ci = std::getenv("CI");
            if (ci != nullptr && *ci != '\0') {
                FAIL() << why;
            }
            GTEST_SKIP() << why;
        }
        sway = std::make_unique<SwaySession>(SessionOptions());
    }

    // What a suite needs of its session beyond the defaults.
    virtual SwaySessionOptions SessionOptions() const { return {}; }

    std::unique_ptr<SwaySession> sway;
};

} // namespace orvane::e2e
