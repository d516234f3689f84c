// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroImport.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace orvane {

class MacroChooserList;
class MacroStore;
class MessageSink;

// "Import Macros": "Open File" lists the macros of a macro file or an older record file, the
// user chooses some, and "&Ok" appends them to the current file (ImportSelected). The list's
// buttons and "&Ok" are available once a file is listed. Accepted once something was imported
// (or nothing could be); Outcome says what.
class ImportMacrosDialog : public QDialog {
    Q_OBJECT
public:
    // None is owned; all outlive the dialog. `startFolder` is where the file dialog opens.
    ImportMacrosDialog(MacroStore& store, MessageSink& messages, QString startFolder,
                       QWidget* parent = nullptr);

    // Asks for the file to import (the "Import Orvane Files" dialog); an empty name when the
    // user cancels. Tests put their own in its place.
    std::function<QString()> ChooseFile;

    void OpenFileClick();
    // Reads `path` and lists it, or shows why not and keeps the list as it was.
    void OpenPath(const QString& path);
    void OkClick();

    const ImportOutcome& Outcome() const { return outcome_; }
    MacroChooserList* List() const { return list_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* SelectAllButton() const { return selectAll_; }
    QPushButton* ClearButton() const { return clear_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* FileLabel() const { return fileLabel_; }

private:
    QString AskForFile();

    MacroStore& store_;
    MessageSink& messages_;
    QString startFolder_;
    std::optional<ImportFile> file_;
    ImportOutcome outcome_;
    MacroChooserList* list_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
