// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orvane {

// The bindings this program has made in the compositor, kept in a file while they exist: the
// compositor keeps run-time bindings after their maker is gone, so a run that ended without
// removing them (killed, crashed) leaves them to the next start to remove. Each line is what
// unbindsym takes ("Ctrl+Shift+F9", "--whole-window Ctrl+button1").
class BindingRecord {
public:
    // $XDG_RUNTIME_DIR/orvane/sway-bindings; empty without XDG_RUNTIME_DIR (nothing is kept).
    static std::string DefaultPath();

    explicit BindingRecord(std::string path) : path_(std::move(path)) {}

    // The recorded lines. A line that is not a plain combination (anything beyond letters,
    // digits, '_', '+', '-' and spaces) is left out: the file is read back into commands.
    std::vector<std::string> Read() const;
    // Replaces the file at once (written aside, then renamed over it); no lines removes it.
    // False when it could not be written.
    bool Write(const std::vector<std::string>& lines) const;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Whether a line can be given to unbindsym as it is.
bool IsPlainCombination(const std::string& line);

} // namespace orvane
