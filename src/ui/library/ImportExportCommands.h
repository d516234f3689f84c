// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/MacroInformation.h"

#include <QObject>
#include <QString>
#include <functional>

namespace orvane {

class MacroStore;
class TMainWin;

// "Import Macros", "Export Macros" and "Output Macro Information" of the main window. Import
// changes the macro file, so it holds the shared file's lock while its dialog is open. Without a
// macro store the commands stay unbuilt.
class ImportExportCommands final : public QObject {
    Q_OBJECT
public:
    explicit ImportExportCommands(TMainWin& window);

    void ImportClick();
    void ExportClick();
    // The details dialog, then WriteInformation with what it ticked; the settings are saved once
    // it closes.
    void OutputClick();
    // Asks for the text file and writes the macros in the list's display order; a file that
    // cannot be written gives "Unable to create text file.".
    void WriteInformation(const InformationOptions& options);

    // Asks for the information file (the "Write Hot Key Definitions to File" dialog); an empty
    // name when the user cancels. Tests put their own in its place.
    std::function<QString()> ChooseInformationFile;

private:
    QString StartFolder() const;
    QString AskForInformationFile();

    TMainWin& window_;
    MacroStore* store_;
};

} // namespace orvane
