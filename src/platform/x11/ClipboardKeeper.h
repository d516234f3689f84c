// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

typedef struct _XDisplay Display;
union _XEvent;

namespace orvane {

// Keeps text on the X clipboard after the program that put it there has ended. X11 clipboard
// contents live in the program that owns the selection, so `orvane play`, which exits when the
// macro is done, hands its text to a small process of its own that owns the CLIPBOARD selection
// and answers requests for it until another program takes the clipboard (as `xclip -i` does).

// ISO-8859-1 text for requests of STRING: characters past Latin-1 become "?".
std::string Latin1Of(std::string_view utf8);

// The property the answer to the SelectionRequest `request` goes in: the one the requestor
// named, or the target for obsolete clients that leave it out.
unsigned long AnswerProperty(const _XEvent& request);
// Tells the requestor of `request` that its answer is in AnswerProperty (`given`) or that the
// target cannot be given, and flushes.
void SendSelectionAnswer(Display* display, const _XEvent& request, bool given);

// Runs in that process: takes the clipboard for `utf8`, writes one byte to `readyFd` and closes
// it once it owns the selection (or closes it without a byte when it cannot), then serves
// requests until the clipboard is taken or the display goes. Returns the exit status.
int ServeClipboardUntilTaken(const std::string& utf8, int readyFd);

// Starts that process (`program` with `serveArgument`, detached in a session of its own) with
// `utf8` and returns once it owns the clipboard; false when it could not be started or failed.
bool HandClipboardToKeeper(const std::string& program, const std::string& serveArgument,
                           const std::string& utf8);

} // namespace orvane
