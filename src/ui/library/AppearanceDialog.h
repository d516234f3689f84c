// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/Appearance.h"
#include "ui/FormDialog.h"
#include "ui/library/SettingsFonts.h"

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

// "Appearance": the list's column widths, the button bar or the letter panel, and the list's
// two fonts. The fonts chosen here are working copies: each choice saves the settings (as
// they were), and the copies reach the list only with "&Ok"; "&Cancel" drops them.
class AppearanceDialog : public FormDialog {
    Q_OBJECT
public:
    AppearanceDialog(const AppearanceForm& form, MessageSink& messages, FontChooser chooser,
                     std::function<void()> saveSettings, QWidget* parent = nullptr);

    // The fields as they are now, with the working fonts.
    AppearanceForm Form() const;

    QLineEdit* WidthField(int column) const { return widths_[static_cast<std::size_t>(column)]; }
    QRadioButton* SpeedButtons() const { return speed_; }
    QRadioButton* LetteredButtons() const { return lettered_; }
    QPushButton* GridFontButton() const { return gridFont_; }
    QPushButton* GridTitleFontButton() const { return gridTitleFont_; }

protected:
    std::optional<Refusal> CheckForm() override;

private:
    void GridFontClick();
    void GridTitleFontClick();

    AppearanceForm fonts_; // only the working fonts are kept here
    FontChooser chooser_;
    std::function<void()> saveSettings_;
    std::array<QLineEdit*, 3> widths_{};
    QRadioButton* speed_ = nullptr;
    QRadioButton* lettered_ = nullptr;
    QPushButton* gridFont_ = nullptr;
    QPushButton* gridTitleFont_ = nullptr;
};

} // namespace orvane
