// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;

namespace orvane {

struct CommandDialogServices;

// The key buttons of the keystroke editors: a button per key (and the same keys in the "&Keys"
// and "FKe&ys" menus), the "Miscellaneous" list with its "ok" button, and "Symbols". Each asks
// for its text to be inserted; the editor decides where and whether it fits.
class KeyPanel : public QWidget {
    Q_OBJECT
public:
    // `services` must outlive the panel ("Symbols" opens "Insert Symbol").
    explicit KeyPanel(const CommandDialogServices& services, QWidget* parent = nullptr);

    // The "&Keys" and "FKe&ys" menus, added to the window's menu bar.
    void AddMenus(QMenuBar* bar);

    QPushButton* Button(std::string_view name) const;
    QListWidget* Miscellaneous() const { return misc_; }
    // "Miscell&aneous", whose mnemonic a window with an "&Actions" menu takes away.
    QLabel* MiscellaneousLabel() const { return miscLabel_; }

    void SymbolsClick();
    // The "ok" of the Miscellaneous list.
    void OkButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A key tag or a symbol to insert, Windows-1252.
    void Insert(const std::string& text);

private:
    const CommandDialogServices& services_;
    QListWidget* misc_ = nullptr;
    QLabel* miscLabel_ = nullptr;
};

} // namespace orvane
