// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTests.h"

#include <QApplication>
#include <QTest>

namespace orvane {

std::vector<ListMacro> SampleMacros() {
    const auto make = [](std::uint16_t hotKey, std::int16_t scope, std::string target,
                         std::string nick, std::string shortKey = "", bool active = true) {
        return ListMacro{hotKey, scope, std::move(target), std::move(nick), std::move(shortKey),
                         active};
    };
    return {
        make(0, 1, "", "Greeting"),                                  // 1 Ctrl+A
        make(144, 1, "", "Address block"),                           // 2 Ctrl+Alt+A
        make(ShortKeyMacroCode, 1, "", "Signature", "sig"),          // 3
        make(TimedMacroCode, 1, "", "Back up notes"),                // 4
        make(1, 2, "Untitled - Editor", "Date stamp", "", false),    // 5 inactive Ctrl+B
        make(2, 3, "GIMP", "Export as PNG with the usual settings"), // 6 Ctrl+C
        make(3, 4, "", "Text snippets"),                             // 7 Ctrl+D
        make(262, 5, "1", "Activate Orvane"),                        // 8
        make(900, 9, "", "Damaged"),                                 // 9 unknown code and scope
    };
}

} // namespace orvane

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        orvane::MacroGridTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        orvane::SortOrderDialogTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        orvane::MainWindowTest test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}
