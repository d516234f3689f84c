// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayTree.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace orvane {
namespace {

using Json = nlohmann::json;

constexpr std::string_view ScratchpadName = "__i3_scratch";

int IntOf(const Json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_number_integer() ? found->get<int>() : 0;
}

WindowRect RectOf(const Json& node, const char* name) {
    const auto found = node.find(name);
    if (found == node.end() || !found->is_object()) {
        return {};
    }
    return {IntOf(*found, "x"), IntOf(*found, "y"), IntOf(*found, "width"),
            IntOf(*found, "height")};
}

std::vector<const Json*> ChildrenOf(const Json& node) {
    std::vector<const Json*> children;
    for (const char* list : {"nodes", "floating_nodes"}) {
        const auto found = node.find(list);
        if (found != node.end() && found->is_array()) {
            for (const Json& child : *found) {
                if (child.is_object()) {
                    children.push_back(&child);
                }
            }
        }
    }
    return children;
}

// Children in the order of the node's focus list; any it does not name keep their place after.
std::vector<const Json*> InFocusOrder(const Json& node) {
    std::vector<const Json*> children = ChildrenOf(node);
    const auto focus = node.find("focus");
    if (focus == node.end() || !focus->is_array()) {
        return children;
    }
    const auto rank = [&](const Json* child) {
        const auto id = child->value("id", std::int64_t{-1});
        const auto at = std::find(focus->begin(), focus->end(), id);
        return static_cast<std::size_t>(at - focus->begin());
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](const Json* a, const Json* b) { return rank(a) < rank(b); });
    return children;
}

void Collect(const Json& node, bool scratchpad, std::vector<CompositorWindow>& windows) {
    const std::string type = node.value("type", "");
    if (type == "workspace" && node.value("name", "") == ScratchpadName) {
        scratchpad = true;
    }
    const std::vector<const Json*> children = InFocusOrder(node);
    if ((type == "con" || type == "floating_con") && children.empty()) {
        CompositorWindow window;
        window.Id = node.value("id", WindowId{0});
        if (const auto name = node.find("name"); name != node.end() && name->is_string()) {
            window.Title = name->get<std::string>();
        }
        if (const auto app = node.find("app_id"); app != node.end() && app->is_string()) {
            window.AppId = app->get<std::string>();
        }
        if (const auto pid = node.find("pid"); pid != node.end() && pid->is_number_integer()) {
            window.Pid = pid->get<int>();
        }
        window.Focused = node.value("focused", false);
        window.PutAway = scratchpad;
        window.Floating = type == "floating_con";
        window.Fullscreen = node.value("fullscreen_mode", 0) != 0;
        // The container's rect leaves out the title bar, which sits above it.
        const WindowRect content = RectOf(node, "rect");
        const int title = scratchpad ? 0 : RectOf(node, "deco_rect").Height;
        window.Frame = {content.Left, content.Top - title, content.Width, content.Height + title};
        windows.push_back(std::move(window));
        return;
    }
    for (const Json* child : children) {
        Collect(*child, scratchpad, windows);
    }
}

} // namespace

std::vector<CompositorWindow> WindowsOfTree(std::string_view tree) {
    const Json root = Json::parse(tree, nullptr, false);
    if (!root.is_object()) {
        return {};
    }
    std::vector<CompositorWindow> windows;
    Collect(root, false, windows);
    std::stable_partition(windows.begin(), windows.end(),
                          [](const CompositorWindow& w) { return !w.PutAway; });
    return windows;
}

} // namespace orvane
