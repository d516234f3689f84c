// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/MenuBuild.h"
#include "core/MacroRecord.h"
#include "ui/MacroEditors.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace orvane {

class MacroStore;
class MessageSink;

// "Build Macro Menu": a popup menu's macros chosen from the available ones and put in order, its
// nickname, tray icon, what it shows, its icon size and its icon. "&Ok" writes them into the
// record it was given (Record()); nothing is stored here.
class TDoBuildMenu : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        bool NewMenu = false;
        int RecordNumber = 0;   // the menu's own record (MacroCount + 1 for a new one)
        QString ActivationText; // the hot key's name, for the caption
        std::filesystem::path IconFolder;
        std::function<void()> ShowHelp; // may be empty
        std::function<double()> Now;    // days since 1899-12-30; empty: the clock
    };

    TDoBuildMenu(const MacroStore& store, const MacroRecord& record, Setup setup,
                 MessageSink& messages, QWidget* parent = nullptr);

    const MacroRecord& Record() const { return record_; }
    bool Saved() const { return saved_; }

    // The buttons' work, for the keyboard and for tests.
    void AddButtonClick();
    void InsertAfterClick();
    void InsertBeforeClick();
    void UpClick();
    void DownClick();
    void RemoveClick();
    void OkButtonClick();
    // Takes an icon file as the icon button's file dialog would.
    void TakeIcon(const QString& file);

    QTreeWidget* AvailableList() const { return available_; }
    QTreeWidget* MenuList() const { return members_; }
    QLineEdit* NicknameEdit() const { return nickname_; }
    QCheckBox* TrayBox() const { return tray_; }
    QRadioButton* ShowsButton(MenuShows shows) const;
    QComboBox* IconSizeBox() const { return iconSize_; }
    QToolButton* IconButton() const { return iconButton_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }
    const std::string& IconName() const { return icon_; }

private:
    void Refill(std::optional<int> available, std::optional<int> member);
    void EnableDisable();
    int SelectedAvailable() const;
    int SelectedMember() const;
    bool NeedsAvailable();
    void ShowIcon();
    void MoveInto(std::optional<int> member);
    // "Quick Info" of macro `macro` (a line of either list).
    void ShowQuickInfo(int macro);

    const MacroStore& store_;
    MacroRecord record_;
    Setup setup_;
    MessageSink& messages_;
    MenuBuild build_;
    std::string icon_;
    bool saved_ = false;
    QTreeWidget* available_ = nullptr;
    QTreeWidget* members_ = nullptr;
    QLineEdit* nickname_ = nullptr;
    QCheckBox* tray_ = nullptr;
    QRadioButton* nicknameAndScope_ = nullptr;
    QRadioButton* firstPart_ = nullptr;
    QRadioButton* icons_ = nullptr;
    QComboBox* iconSize_ = nullptr;
    QToolButton* iconButton_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QTimer quickInfoTimer_;
    QElapsedTimer sinceDoubleClick_;
    int quickInfoMacro_ = 0;
};

// The menu builder as one of the program's macro editors: "Build Macro Menu" on the caller's
// record, handed back on "&Ok".
class PopupMenuBuilder final : public MacroEditor {
public:
    struct Services {
        const MacroStore* Store = nullptr; // the loaded macros; outlives the builder
        std::filesystem::path IconFolder;
        MessageSink* Messages = nullptr; // outlives the builder
        std::function<void()> ShowHelp;  // may be empty
    };

    explicit PopupMenuBuilder(Services services) : services_(std::move(services)) {}

    bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) override;

private:
    Services services_;
};

} // namespace orvane
