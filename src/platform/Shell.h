// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// Starting programs and opening documents and addresses. Texts are UTF-8. Nothing is waited
// for and nothing is reported: a program that cannot be started is silently not started.
class Shell {
public:
    virtual ~Shell() = default;

    // When `program` names an executable file (a path, or a name found in PATH), starts it in
    // the current folder with `parameters` split into arguments as a shell would (quotes and
    // backslashes, no shell involved). Anything else (a document, a folder, an address) is
    // opened with the desktop's default handler and the parameters are not used.
    virtual void Launch(std::string_view program, std::string_view parameters) = 0;

    // Opens a web or ftp address (or any document) with the desktop's default handler.
    virtual void OpenAddress(std::string_view address) = 0;
};

} // namespace orvane
