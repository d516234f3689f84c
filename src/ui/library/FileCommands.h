// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>

namespace orvane {

class TMainWin;

// The File menu: opening and creating macro files, the recent files it lists, hiding the window
// and ending the program. Importing, exporting and printing come with their own parts of the
// program.
class FileCommands final : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(TMainWin& window);

    // "Open File" and "New File": the file dialog, then OpenPath.
    void OpenClick();
    void NewClick();
    // Switches to `path` when its name ends in ".ORV" (any case); anything else is refused with
    // "Invalid file type selected." and nothing changes. A file that is not a macro file is
    // refused by the store and never written.
    void OpenPath(const QString& path);
    // Recent entry `index` (0-based): a file that is no longer there gives "File does not
    // exist." and nothing changes.
    void OpenRecent(std::size_t index);

    // Captions and visibility of the recent-file entries and their separator, from the settings.
    void ShowRecentFiles();

private:
    QString StartFolder() const;

    TMainWin& window_;
};

} // namespace orvane
