// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroStore.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvane {

// A macro store loaded from a private file holding the given records (the four system macros
// follow them), for tests of what reads the loaded macros.
class MacroFileFixture : public ::testing::Test {
protected:
    void TearDown() override {
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_);
        }
    }

    void Load(const std::vector<MacroRecord>& records) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("orvane-activation-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        file = folder_ / "ORVAN.ORV";
        WriteMacroFile(file, records);
        ASSERT_TRUE(store.LoadMacroFile(file));
        store.SetHotKeys();
        hook.Clear();
    }

    std::filesystem::path file;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};

private:
    std::filesystem::path folder_;
};

} // namespace orvane
