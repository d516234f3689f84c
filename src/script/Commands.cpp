// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/Commands.h"

#include "script/NamedKeys.h"

#include <vector>

namespace orvane {
namespace {

// The known tags by the character after "<". No literal begins another, so the order in which
// the tags of one entry are tried decides nothing but the cost.
using TagIndex = std::array<std::vector<KnownTag>, 256>;

TagIndex BuildTagIndex() {
    TagIndex index;
    const auto add = [&index](const TagForm& form, const CommandRow* command) {
        const auto second = static_cast<unsigned char>(form.Layout.Literal[1]);
        index[second].push_back({form, command});
    };
    for (const NamedKey& key : NamedKeys) {
        add({Tags::Plain(key.Tag), key.Kind, key.VirtualKey}, nullptr);
    }
    for (const TagForm& form : KeystrokeTags) {
        add(form, nullptr);
    }
    for (const CommandRow& command : Commands) {
        for (const TagForm& form : command.Tags) {
            if (form.Layout.Literal.size() > 1) {
                add(form, &command);
            }
        }
    }
    return index;
}

} // namespace

std::span<const KnownTag> TagsAfterOpening(char c) {
    static const TagIndex index = BuildTagIndex();
    return index[static_cast<unsigned char>(c)];
}

const CommandRow* CommandOfItem(const ScriptItem& item) {
    if (item.Kind == ItemKind::Date || item.Kind == ItemKind::Time) {
        return &CommandRowOf(item.Kind == ItemKind::Date ? CommandCode::Date : CommandCode::Time);
    }
    if (item.Literal.size() < 2) {
        return nullptr;
    }
    for (const KnownTag& tag : TagsAfterOpening(item.Literal[1])) {
        if (tag.Form.Layout.Literal == item.Literal) {
            return tag.Command;
        }
    }
    return nullptr;
}

} // namespace orvane
