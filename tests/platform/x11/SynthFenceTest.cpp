// SPDX-License-Identifier: GPL-3.0-or-later
// Which XTEST events the hook backend takes for the program's own: a batch's events until its
// fence has been seen, and nobody's else.
#include "platform/x11/SynthFence.h"

#include <gtest/gtest.h>
#include <string>

namespace orvane {
namespace {

// Runs steps ("S<n>" batch starts with last fence n, "E<n>" batch ends with last fence n, "F"
// a fence seen) and writes after each whether XTEST events count as ours: "1" or "0".
std::string Ours(const std::string& steps) {
    SynthFence fence;
    std::string seen;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const char step = steps[i];
        if (step == 'F') {
            fence.FenceSeen();
        } else {
            const auto number = static_cast<std::uint32_t>(steps[++i] - '0');
            if (step == 'S') {
                fence.BatchStarts(number);
            } else {
                fence.BatchEnds(number);
            }
        }
        seen += fence.Pending() ? '1' : '0';
    }
    return seen;
}

TEST(SynthFence, ABatchIsOursUntilItsFenceIsSeen) {
    struct Case {
        const char* What;
        const char* Steps;
        const char* Ours;
    };
    const Case cases[] = {
        {"a batch, its fence written, then seen", "S0E1F", "110"},
        {"its fence seen before the batch is told to have ended", "S0FE1", "100"},
        {"a batch that wrote no fence ends at once", "S0E0", "10"},
        {"the second batch waits for its own fence, not the first's", "S0E1S1E2FF", "111110"},
        {"fences of earlier batches seen late", "S0E1S1E2F", "11111"},
        {"nothing announced: xdotool's events are the user's", "FF", "00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ours(c.Steps), c.Ours) << c.What;
    }
}

} // namespace
} // namespace orvane
