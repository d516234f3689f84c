// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of "Choose A Macro" in its list and icons forms and of "Build Macro Menu" for
// the manual, over a small macro file with a few icon files.
// Usage: ui_popup_menu_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "activation/PopupMenu.h"
#include "core/MacroStore.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/Readability.h"
#include "ui/MacroIcons.h"
#include "ui/activation/TDoAMenu.h"
#include "ui/activation/TDoBuildMenu.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

bool Save(QWidget& window, const QDir& folder, const char* name) {
    return orvane::SaveReadable(window, folder, QString::fromLatin1(name));
}

// A round icon of one colour, saved as an ".ICO" file.
bool WriteIcon(const std::filesystem::path& file, QColor colour) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(QPen(colour.darker(), 2));
    painter.drawEllipse(3, 3, 26, 26);
    painter.end();
    return image.save(QString::fromStdString(file.string()), "ICO");
}

orvane::MacroRecord WithIcon(orvane::MacroRecord record, const char* icon) {
    record.Icon.Assign(icon);
    return record;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    using namespace orvane;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir temporary;
    const auto root = std::filesystem::path(temporary.path().toStdString());
    const auto icons = root / "Icons";
    std::filesystem::create_directories(icons);
    bool ok = WriteIcon(icons / "MAIL.ICO", QColor(0x45, 0x7b, 0x9d)) &&
              WriteIcon(icons / "DATE.ICO", QColor(0xe9, 0xc4, 0x6a)) &&
              WriteIcon(icons / "SIGN.ICO", QColor(0x2a, 0x9d, 0x8f));
    MacroRecord menu = PopupMenuMacro("Ctrl+Alt+Shift+M", {1, 2, 3, 4, 5, 6});
    menu.Nickname.Assign("Letters");
    menu.ShortKey.Assign("Y32");
    menu.Icon.Assign("MENU");
    const auto path = root / "ORVAN.ORV";
    WriteMacroFile(
        path,
        {WithIcon(
             HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "Dear Sir or Madam,", {}, "Letter opening"),
             "MAIL.ICO"),
         WithIcon(HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "Best regards,<ENTER>Jane", {}, "Closing"),
                  "SIGN.ICO"),
         WithIcon(HotKeyMacro("Ctrl+Alt+D", ScopeGlobal, "<DATE:1,Y,F,000>", {}, "Today's date"),
                  "DATE.ICO"),
         WithIcon(
             HotKeyMacro("Ctrl+Alt+R", ScopeSpecificWindow, "Re: <CLIPP>", "Mail", "Reply heading"),
             "MAIN"),
         WithIcon(ShortKeyMacro("addr", "12 High Street<ENTER>Springfield"), "MAIN"),
         WithIcon(TimedMacro("<LAUNCH:backup>"), "MAIN"), menu});
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store(hook, messages);
    store.LoadMacroFile(path);
    MacroRecord stored;
    store.ReadMacro(7, stored);

    ChooseMenu list = MenuOf(store, stored);
    list.Options.Shows = MenuShows::NicknameAndScope;
    TDoAMenu listMenu(list, {}, -1);
    listMenu.LeftList()->setCurrentRow(1);
    ok = Save(listMenu, folder, "choose-a-macro-list.png") && ok;

    ChooseMenu shown = MenuOf(store, stored);
    shown.Options.Shows = MenuShows::Icons;
    std::vector<QIcon> pictures;
    for (const MenuItem& item : shown.Items) {
        pictures.push_back(MacroIconFor(item.Icon, item.PopupMenu, icons));
    }
    TDoAMenu iconMenu(shown, pictures, -1);
    ok = Save(iconMenu, folder, "choose-a-macro-icons.png") && ok;

    TDoBuildMenu::Setup setup;
    setup.RecordNumber = 7;
    setup.ActivationText = QStringLiteral("Ctrl+Alt+Shift+M");
    setup.IconFolder = icons;
    MacroRecord building = stored;
    building.SetPopupMembers(std::vector<std::uint16_t>{1, 2, 3});
    TDoBuildMenu builder(store, building, setup, messages);
    builder.resize(860, 520);
    builder.MenuList()->setCurrentItem(builder.MenuList()->topLevelItem(1));
    ok = Save(builder, folder, "build-macro-menu.png") && ok;
    return ok ? 0 : 1;
}
