// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroInformation.h"

#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "core/HotKeyTable.h"
#include "core/Schedule.h"
#include "library/MacroExport.h"
#include "library/MacroList.h"

namespace orvane {
namespace {

std::string IconLine(const MacroRecord& record) {
    if (record.Scope == ScopeSystem) {
        return "Icon: (None)";
    }
    const std::string_view icon = record.Icon.View();
    if (icon == "MAIN") {
        return "Icon: (Default Icon)";
    }
    if (icon == "MENU") {
        return "Icon: (Default Menu Icon)";
    }
    return "Icon: " + std::string(icon);
}

std::string ActivationLine(const MacroRecord& record) {
    if (record.HotKey == HotKeyTimed) {
        return "Timed Macro";
    }
    if (record.HotKey == HotKeyShortKey) {
        return "ShortKey: " + record.ShortKey.Str();
    }
    return "Hot Key: " + std::string(HotKeyName(record.HotKey).value_or(UnknownListText));
}

std::string ScopeLine(const MacroRecord& record) {
    const std::string_view when = record.TopMostOnly != 0 ? ", Top Most Only" : ", If Active";
    switch (record.Scope) {
    case ScopeGlobal:
        return "Scope: GLOBAL";
    case ScopePopupMenu:
        return "Scope: Popup Menu";
    case ScopeSystem:
        return "Scope: SYSTEM";
    case ScopeSpecificWindow:
        return "Window: " + record.ScopeTarget.Str() + std::string(when);
    case ScopeSpecificProgram:
        return "Program: " + record.ScopeTarget.Str() + std::string(when);
    default:
        return "Scope: " + std::string(UnknownListText);
    }
}

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            continue;
        }
        out += text[k];
    }
    return out;
}

} // namespace

std::optional<std::string_view> InformationRefusal(const InformationOptions& options) {
    if (!options.HotKey && !options.Name && !options.Window && !options.Text) {
        return NothingCheckedText;
    }
    return std::nullopt;
}

std::string MacroInformation(const MacroRecord& record, const InformationOptions& options) {
    std::string lines; // Windows-1252 until the end
    const auto line = [&lines](std::string_view text) {
        lines += text;
        lines += '\n';
    };
    if (options.Icon) {
        line(IconLine(record));
    }
    if (options.HotKey) {
        line(ActivationLine(record));
    }
    if (options.Name) {
        line("Name: " + record.Nickname.Str());
    }
    if (options.Window) {
        line(ScopeLine(record));
    }
    if (options.Schedule && record.HotKey == HotKeyTimed) {
        line("Schedule: " + GetSched(record));
    }
    if (options.Text && record.Scope >= ScopeGlobal && record.Scope <= ScopeSpecificProgram) {
        line("Text: " + WithLineFeeds(record.Text()));
    }
    line("");
    return Windows1252ToUtf8(lines);
}

bool WriteMacroInformation(const MacroStore& store, std::span<const int> order,
                           const InformationOptions& options, const std::filesystem::path& target) {
    const std::optional<std::vector<MacroRecord>> loaded = ReadLoadedMacros(store);
    if (!loaded) {
        return false;
    }
    std::string text;
    for (const int i : order) {
        if (i >= 1 && static_cast<std::size_t>(i) <= loaded->size()) {
            text += MacroInformation((*loaded)[static_cast<std::size_t>(i) - 1], options);
        }
    }
    return WriteFileAtomically(target, text, 0600);
}

} // namespace orvane
