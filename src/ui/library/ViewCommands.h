// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/SettingsFonts.h"

#include <QObject>

namespace orvane {

struct AppearanceForm;
class TMainWin;

// "Appearance" of the Options menu and "Quick Info" of the Macro menu, which a right click on a
// row opens too.
class ViewCommands final : public QObject {
    Q_OBJECT
public:
    explicit ViewCommands(TMainWin& window);

    void AppearanceClick();
    // Applies a checked form at once: the widths, the button bar or the letter panel, the fonts
    // and the row heights that follow them, then saves the settings.
    void ApplyAppearance(const AppearanceForm& form);

    // The summary of macro `record`; numbers no row shows, and records the file no longer
    // holds, open nothing.
    void QuickInfoClick(int record);

    void SetFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }

private:
    TMainWin& window_;
    FontChooser fontChooser_;
};

} // namespace orvane
