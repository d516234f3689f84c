// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace orvane {

class MessageSink;

// The program's own pictures: its icon and the built-in menu icon, every size.
QIcon ProgramIcon();
QIcon MenuIcon();

// The picture for a macro's stored icon name: "MAIN" the program's icon, "MENU" the menu icon,
// another name that file of `folder` read through Qt's image plugins. A missing file, or one
// no plugin can read, gives the menu icon for a popup menu and the program's icon for others.
QIcon MacroIconFor(std::string_view stored, bool popupMenu, const std::filesystem::path& folder);

// "Load in Icon": lets the user pick an ".ICO" file, copies it into `folder` when it is not
// there yet and returns the name to store (at most 12 characters). Refusals and failures are
// shown ("Error") and give nothing; so does cancelling.
std::optional<std::string> LoadInIcon(QWidget* parent, const std::filesystem::path& folder,
                                      MessageSink& messages);

// The same after the file dialog: `chosen` is the picked file.
std::optional<std::string> TakeIconFile(const QString& chosen, const std::filesystem::path& folder,
                                        MessageSink& messages);

} // namespace orvane
