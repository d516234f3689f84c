// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroImport.h"

#include <QString>
#include <QTreeWidget>
#include <vector>

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace orvane {

// The list of macros that import and export choose from: one line per macro with its
// activation, nickname and scope, the nickname column three sevenths of the width. Any number
// of lines can be chosen: a click or Space toggles the current line, the arrows move without
// changing the choice.
class MacroChooserList : public QTreeWidget {
    Q_OBJECT
public:
    explicit MacroChooserList(QWidget* parent = nullptr);

    // Replaces the lines (Windows-1252 texts); none is chosen.
    void SetLines(const std::vector<ChooserLine>& lines);
    // One flag per line, in list order.
    std::vector<bool> Chosen() const;
    void SetChosen(const std::vector<bool>& chosen);
    void ChooseAll();
    void ClearChoice();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();
};

// The parts of a window built around a chooser list ("Import Macros", "Export Macros").
struct ChooserPanel {
    MacroChooserList* List = nullptr;
    QPushButton* SelectAll = nullptr; // "Select &All": chooses every line
    QPushButton* Clear = nullptr;     // "C&lear": chooses none
    QPushButton* Cancel = nullptr;    // "&Cancel": rejects `window`
};
// Adds to `layout` the list under its label `caption` (a mnemonic and a colon; its accessible name
// is the caption without them) and the row of buttons under it: "Select &All" and "C&lear", then
// `confirm` (the default button) and "&Cancel".
ChooserPanel AddChooserPanel(QDialog& window, QVBoxLayout& layout, const QString& caption,
                             const QString& listName, QPushButton* confirm);

} // namespace orvane
