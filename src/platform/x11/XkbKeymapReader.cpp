// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/XkbKeymapReader.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace orvane {

KeymapSnapshot ReadXkbKeymap(Display* display) {
    KeymapSnapshot snapshot;
    XkbDescPtr xkb =
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    if (xkb == nullptr || xkb->map == nullptr) {
        if (xkb != nullptr) {
            XkbFreeKeyboard(xkb, 0, True);
        }
        return snapshot;
    }
    snapshot.MinKeycode = xkb->min_key_code;
    snapshot.MaxKeycode = xkb->max_key_code;
    for (int t = 0; t < xkb->map->num_types; ++t) {
        const XkbKeyTypeRec& source = xkb->map->types[t];
        KeyType type;
        type.Mask = source.mods.mask;
        for (int e = 0; e < source.map_count; ++e) {
            if (source.map[e].active) {
                type.Entries.push_back({source.map[e].mods.mask, source.map[e].level});
            }
        }
        snapshot.Types.push_back(std::move(type));
    }
    for (int kc = snapshot.MinKeycode; kc <= snapshot.MaxKeycode; ++kc) {
        KeyEntry& key = snapshot.Keys[static_cast<std::size_t>(kc)];
        key.ModMap = xkb->map->modmap != nullptr ? xkb->map->modmap[kc] : 0;
        const int groups = XkbKeyNumGroups(xkb, kc);
        for (int g = 0; g < groups; ++g) {
            KeyGroup group;
            group.Type = XkbKeyKeyTypeIndex(xkb, kc, g);
            const int width = XkbKeyGroupWidth(xkb, kc, g);
            for (int level = 0; level < width; ++level) {
                group.Levels.push_back(static_cast<Keysym>(XkbKeySymEntry(xkb, kc, level, g)));
            }
            key.Groups.push_back(std::move(group));
        }
    }
    XkbFreeKeyboard(xkb, 0, True);
    return snapshot;
}

} // namespace orvane
