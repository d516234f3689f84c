// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/Commands.h"

namespace orvane {

const CommandRow* CommandOfItem(const ScriptItem& item) {
    for (const CommandRow& row : Commands) {
        for (const TagForm& tag : row.Tags) {
            if (tag.Kind == item.Kind && tag.Layout.Literal == item.Literal) {
                return &row;
            }
        }
    }
    return nullptr;
}

} // namespace orvane
