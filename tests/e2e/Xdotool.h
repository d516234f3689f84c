// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// xdotool plays the user in the end-to-end tests: an independent program that types and clicks
// through XTest exactly as any other input tool would.

#include "Command.h"
#include "Deadline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane::e2e {

class VirtualDisplay;

// Runs `xdotool <args...>` on the display.
CommandResult Xdotool(const VirtualDisplay& display, const std::vector<std::string>& args,
                      std::chrono::milliseconds timeout = kDefaultTimeout);

// Waits until a visible window whose title is exactly `title` exists and returns its id (the
// first one xdotool lists when several match), or 0 when none appeared within `timeout`.
unsigned long WaitForWindowByTitle(const VirtualDisplay& display, const std::string& title,
                                   std::chrono::milliseconds timeout = kDefaultTimeout);

// Finds the visible window whose title is exactly `title` (waiting for it to appear) and makes
// it the active window, waiting until the window manager reports it active.
::testing::AssertionResult
ActivateWindowByTitle(const VirtualDisplay& display, const std::string& title,
                      std::chrono::milliseconds timeout = kDefaultTimeout);

// Makes the window with this X id active and waits until the window manager reports it active.
::testing::AssertionResult ActivateWindow(const VirtualDisplay& display, unsigned long window,
                                          std::chrono::milliseconds timeout = kDefaultTimeout);

// Types `text` into the focused window (`xdotool type`), `delayMs` between keys.
::testing::AssertionResult TypeText(const VirtualDisplay& display, const std::string& text,
                                    int delayMs = 12);

// Presses key combinations in turn, in xdotool's notation ("ctrl+a", "Return", "F5").
::testing::AssertionResult PressKeys(const VirtualDisplay& display,
                                     const std::vector<std::string>& keys);

// Moves the pointer to (x, y) on the screen and clicks `button` there (4/5 turn the wheel).
::testing::AssertionResult ClickAt(const VirtualDisplay& display, int x, int y, int button = 1);

// Saves a picture of the whole screen as PNG, for a human looking into a failure. Needs
// ImageMagick's `import`; fails (with the reason) when it is missing.
::testing::AssertionResult TakeScreenshot(const VirtualDisplay& display,
                                          const std::filesystem::path& png);

// `text` as an anchored, escaped regular expression for `xdotool search --name`.
std::string ExactTitlePattern(const std::string& text);

} // namespace orvane::e2e
