// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QPushButton;

namespace orvane {

class MacroChooserList;
class MacroStore;
class MessageSink;

// "Export Macros": every macro of the current file but the system macros, in record order; the
// user chooses some and "Save File" writes them, in list order, into a new macro file
// (ExportMacros). Accepted once the export is complete.
class ExportMacrosDialog : public QDialog {
    Q_OBJECT
public:
    // Neither is owned; both outlive the dialog. `startFolder` is where the file dialog opens.
    ExportMacrosDialog(const MacroStore& store, MessageSink& messages, QString startFolder,
                       QWidget* parent = nullptr);

    // Asks for the file to write (the "Save Macro File" dialog, which asks before replacing a
    // file); an empty name when the user cancels. Tests put their own in its place.
    std::function<QString()> ChooseFile;

    void SaveFileClick();

    MacroChooserList* List() const { return list_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* SelectAllButton() const { return selectAll_; }
    QPushButton* ClearButton() const { return clear_; }
    // The record numbers the lines show, in list order.
    const std::vector<int>& Records() const { return records_; }

private:
    QString AskForFile();

    const MacroStore& store_;
    MessageSink& messages_;
    QString startFolder_;
    std::vector<int> records_;
    MacroChooserList* list_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* clear_ = nullptr;
};

} // namespace orvane
