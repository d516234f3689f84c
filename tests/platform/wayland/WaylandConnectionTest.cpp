// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/WaylandInputSynth.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace orvane {
namespace {

// Sets an environment variable for one scope and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(WaylandConnection, OpeningWithoutACompositorSaysWhy) {
    const ScopedEnv noSocket("WAYLAND_SOCKET", nullptr);
    const struct {
        const char* Display;
        const char* Says;
    } cases[] = {
        {.Display = nullptr, .Says = "no Wayland display: WAYLAND_DISPLAY is not set"},
        {.Display = "", .Says = "no Wayland display: WAYLAND_DISPLAY is not set"},
        {.Display = "/nonexistent/wayland-9",
         .Says = "cannot connect to the Wayland display \"/nonexistent/wayland-9\""},
    };
    for (const auto& c : cases) {
        const ScopedEnv display("WAYLAND_DISPLAY", c.Display);
        std::string error;
        EXPECT_FALSE(WaylandInputSynth::Open(error));
        EXPECT_TRUE(error.starts_with(c.Says)) << error;
    }
}

} // namespace
} // namespace orvane
