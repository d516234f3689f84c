// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MacroIcons.h"

#include "activation/PopupMenu.h"
#include "core/MessageSink.h"
#include "core/Paths.h"
#include "ui/QtText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <initializer_list>

// The program's pictures live in the UI library; a program linking it statically may not have
// registered them yet.
static void InitIconResources() {
    Q_INIT_RESOURCE(orvane);
}

namespace orvane {
namespace {

QIcon IconOfSizes(const QString& name, std::initializer_list<int> sizes) {
    InitIconResources();
    QIcon icon;
    for (const int size : sizes) {
        icon.addFile(QStringLiteral(":/orvane/icons/%1-%2.png").arg(name).arg(size));
    }
    return icon;
}

} // namespace

QIcon ProgramIcon() {
    return IconOfSizes(QStringLiteral("orvane"), {16, 24, 32, 48, 64, 128, 256});
}

QIcon MenuIcon() {
    return IconOfSizes(QStringLiteral("menu"), {16, 24, 32, 48, 64});
}

QIcon MacroIconFor(std::string_view stored, bool popupMenu, const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / PathFromStored(stored);
    std::error_code ignored;
    const bool exists = !stored.empty() && std::filesystem::is_regular_file(file, ignored);
    const IconChoice choice = ChooseIcon(stored, popupMenu, exists);
    if (choice.Source == IconSource::File) {
        // A damaged file, or one no image plugin knows, shows the default picture.
        const QString path = QString::fromStdString(file.string());
        if (!QImageReader(path).read().isNull()) {
            return QIcon(path);
        }
    }
    const bool menu =
        choice.Source == IconSource::Menu || (choice.Source == IconSource::File && popupMenu);
    return menu ? MenuIcon() : ProgramIcon();
}

std::optional<std::string> LoadInIcon(QWidget* parent, const std::filesystem::path& folder,
                                      MessageSink& messages) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const QString chosen = QFileDialog::getOpenFileName(parent, QStringLiteral("Load in Icon"),
                                                        QString::fromStdString(folder.string()),
                                                        QStringLiteral("Icons (*.ico *.ICO)"));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return TakeIconFile(chosen, folder, messages);
}

std::optional<std::string> TakeIconFile(const QString& chosen, const std::filesystem::path& folder,
                                        MessageSink& messages) {
    const QString name = QFileInfo(chosen).fileName();
    if (!name.toUpper().endsWith(QStringLiteral(".ICO"))) {
        messages.Show("Error", "Invalid file type selected.");
        return std::nullopt;
    }
    const std::string storedName = StoredText(name);
    if (storedName.size() > 12) {
        messages.Show("Error", "The icon's file name is longer than 12 characters.  Please rename "
                               "it to a shorter name first.");
        return std::nullopt;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::filesystem::path source = chosen.toStdString();
    const std::filesystem::path target = folder / PathFromStored(storedName);
    if (!std::filesystem::equivalent(source, target, ignored)) {
        if (!std::filesystem::copy_file(source, target, std::filesystem::copy_options::none,
                                        ignored)) {
            messages.Show("Error",
                          "The selected icon could not be opened.  An icon of this name already "
                          "exists in the default icon folder.  It will be opened instead.");
        }
    }
    if (!std::filesystem::is_regular_file(target, ignored) ||
        QImageReader(QString::fromStdString(target.string())).read().isNull()) {
        messages.Show("Error", "Icon could not be opened.");
        return std::nullopt;
    }
    return storedName;
}

} // namespace orvane
