// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/ScopeForm.h"

#include <algorithm>
#include <set>

namespace orvane {

std::optional<FormRefusal> Check(const ScopeForm& form) {
    if (!Trimmed(form.Name).empty()) {
        return std::nullopt;
    }
    const std::string start = form.Program ? "No program name has been entered.  "
                                           : "No window title has been entered.  ";
    if (form.Highlighted.empty()) {
        return FormRefusal{start + "Please correct.", "TheTitle"};
    }
    return FormRefusal{start + "\"" + form.Highlighted +
                           "\" is currently highlighted.  Would you like to use it?",
                       "TheTitle", "Error", true};
}

std::string Build(const ScopeForm& form) {
    return Trimmed(form.Name);
}

namespace {

void SortUnique(std::vector<std::string>& names) {
    std::erase_if(names, [](const std::string& name) { return Trimmed(name).empty(); });
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
}

} // namespace

std::vector<std::string> WindowTitleList(std::vector<std::string> titles) {
    SortUnique(titles);
    return titles;
}

std::vector<std::string> ProgramList(std::vector<std::string> withWindows,
                                     std::vector<std::string> running) {
    SortUnique(withWindows);
    const std::set<std::string> first(withWindows.begin(), withWindows.end());
    std::erase_if(running, [&first](const std::string& name) { return first.contains(name); });
    SortUnique(running);
    withWindows.insert(withWindows.end(), running.begin(), running.end());
    return withWindows;
}

} // namespace orvane
