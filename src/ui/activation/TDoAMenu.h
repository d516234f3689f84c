// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenu.h"

#include <QDialog>
#include <QIcon>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace orvane {

// "Choose A Macro": the small always-on-top window of a popup menu. In the icons form one
// square button per macro, nine to a row; in the list forms one line per macro (label, then
// name and scope or the beginning of the script), a second list past 18. The user chooses by
// double-click, by the item's number or letter key, by clicking an icon, or with Enter on the
// current line; "&Cancel" and Escape choose nothing.
class TDoAMenu : public QDialog {
    Q_OBJECT
public:
    // `icons` holds one picture per item (used by the icons form); `trayX` is the screen x of a
    // tray click, -1 when the menu was opened otherwise.
    TDoAMenu(ChooseMenu menu, std::vector<QIcon> icons, int trayX, QWidget* parent = nullptr);

    // The chosen macro; nothing after a cancel.
    std::optional<int> Chosen() const { return chosen_; }
    // Chooses item `item` (0-based) and closes.
    void Choose(int item);

    const ChooseMenuLayout& Layout() const { return layout_; }
    QListWidget* LeftList() const { return left_; }
    QListWidget* RightList() const { return right_; }
    const std::vector<QToolButton*>& IconButtons() const { return buttons_; }
    QPushButton* CancelButton() const { return cancel_; }

signals:
    // The window is on screen (to be brought to the front).
    void Shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildIcons(const std::vector<QIcon>& icons);
    void BuildLists();
    QListWidget* MakeList(int first, int last, int x, int height);
    // The item a key press chooses in the focused widget; true when the press was used.
    bool KeyPressed(QObject* watched, const QKeyEvent& key);

    ChooseMenu menu_;
    ChooseMenuLayout layout_;
    int trayX_;
    std::optional<int> chosen_;
    std::optional<int> pending_; // double-clicked, chosen when the button comes up
    bool buttonHeld_ = false;    // the double click's button is still down
    QListWidget* left_ = nullptr;
    QListWidget* right_ = nullptr;
    std::vector<QToolButton*> buttons_;
    QPushButton* cancel_ = nullptr;
};

} // namespace orvane
