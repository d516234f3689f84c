// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane {

// How a macro is started, as the editors and "Add Macro" speak of it; the activation panel of
// the editors follows it.
enum class ActivationKind { HotKey = 1, Timed = 2, ShortKey = 3 };

} // namespace orvane
