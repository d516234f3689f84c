// SPDX-License-Identifier: GPL-3.0-or-later
// The choosing dialogs of import and export and the macro information dialog, worked from the
// keyboard over a real macro file on the offscreen platform.
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/Paths.h"
#include "core/SettingsBlock.h"
#include "library/ImportFile.h"
#include "library/MacroExport.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "support/MainWindowProgram.h"
#include "ui/library/ExportMacrosDialog.h"
#include "ui/library/ImportExportCommands.h"
#include "ui/library/ImportMacrosDialog.h"
#include "ui/library/MacroChooserList.h"
#include "ui/library/OutputMacrosDialog.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <iterator>

namespace orvane {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An older ShortKey record, laid out by hand.
std::string OldShortKeyRecord(std::string_view shortKey, std::string_view text) {
    std::string b(OldShortKeyRecordSize, '\0');
    b[3] = static_cast<char>(shortKey.size());
    b.replace(4, shortKey.size(), shortKey);
    b[14] = 1;
    b.replace(17, text.size(), text);
    return b;
}

QStringList LineTexts(const MacroChooserList& list, int column) {
    QStringList texts;
    for (int k = 0; k < list.topLevelItemCount(); ++k) {
        texts << list.topLevelItem(k)->text(column);
    }
    return texts;
}

// The file imported into: the system macros and a global macro on Ctrl+Alt+A.
fs::path CurrentFile(const fs::path& dir) {
    const fs::path current = dir / "Current.ORV";
    std::vector<MacroRecord> records = DefaultSystemMacros();
    records.push_back(HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "here"));
    WriteMacroFile(current, records);
    return current;
}

struct Program : MainWindowProgram {
    explicit Program(const fs::path& file) {
        settings.CurrentFile = StoredFromPath(file);
        Open(file);
    }
    std::string Last() const { return messages.Shown.empty() ? "" : Texts().back(); }
};

// Shows a dialog and makes it the active window, so its mnemonics reach it.
bool ShowActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

// Alt and a letter, as the user types a mnemonic. The button it names shows itself pressed for
// a moment before it clicks, so a test waits for the click's effect (QTRY_*).
void Mnemonic(QDialog& dialog, Qt::Key letter) {
    QTest::keyClick(dialog.windowHandle(), letter, Qt::AltModifier);
}

} // namespace

class ImportExportDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void ImportListsAFileAndImportsTheLinesChosenByKeyboard();
    void EachMessageShowsTheLinesStillFlagged();
    void ExportWritesTheChosenLines();
    void OutputNeedsADetailThatNamesTheMacroAndWritesInListOrder();
};

void ImportExportDialogsTest::ImportListsAFileAndImportsTheLinesChosenByKeyboard() {
    QTemporaryDir folder;
    const fs::path dir(folder.path().toStdString());
    const fs::path current = CurrentFile(dir);
    const fs::path old = dir / "KEYS.SHK";
    std::ofstream(old, std::ios::binary) << OldShortKeyRecord("sig", "Regards") +
                                                OldShortKeyRecord("addr", "1 Main St") +
                                                OldShortKeyRecord("tel", "555");
    Program program(current);

    ImportMacrosDialog dialog(program.store, program.messages, QString(), program.window.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Macros"));
    QCOMPARE(dialog.property("orvaneHelpSection").toString(), QStringLiteral("import-macros"));
    QCOMPARE(dialog.List()->accessibleName(), QStringLiteral("Macros to import"));
    QVERIFY(!dialog.OkButton()->isEnabled());
    QVERIFY(!dialog.SelectAllButton()->isEnabled());
    QVERIFY(!dialog.ClearButton()->isEnabled());
    dialog.ChooseFile = [&] { return QString::fromStdString((dir / "notes.txt").string()); };
    dialog.OpenButton()->click();
    QVERIFY(program.Texts() ==
            (std::vector<std::string>{"Error: " + std::string(ImproperFileTypeText)}));
    QVERIFY(!dialog.OkButton()->isEnabled());

    dialog.ChooseFile = [&] { return QString::fromStdString(old.string()); };
    QVERIFY(ShowActive(dialog));
    Mnemonic(dialog, Qt::Key_F); // Open &File
    QTRY_COMPARE(dialog.FileLabel()->text(), QStringLiteral("KEYS.SHK"));
    QCOMPARE(LineTexts(*dialog.List(), 0), (QStringList{"sig", "addr", "tel"}));
    QCOMPARE(LineTexts(*dialog.List(), 1), (QStringList{"", "", ""}));
    QCOMPARE(LineTexts(*dialog.List(), 2), (QStringList{"GLOBAL", "GLOBAL", "GLOBAL"}));
    QVERIFY(dialog.OkButton()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), dialog.List());

    // "&Ok" with nothing chosen; then all, none, and the first and last by keyboard.
    Mnemonic(dialog, Qt::Key_O);
    QTRY_COMPARE(program.Last(), "Error: " + std::string(NothingFlaggedText));
    Mnemonic(dialog, Qt::Key_A);
    QTRY_VERIFY(dialog.List()->Chosen() == (std::vector<bool>{true, true, true}));
    Mnemonic(dialog, Qt::Key_L);
    QTRY_VERIFY(dialog.List()->Chosen() == (std::vector<bool>{false, false, false}));
    Mnemonic(dialog, Qt::Key_M); // the list's label
    QCOMPARE(QApplication::focusWidget(), dialog.List());
    QTest::keyClick(dialog.List(), Qt::Key_Space);
    QTest::keyClick(dialog.List(), Qt::Key_Down);
    QTest::keyClick(dialog.List(), Qt::Key_Down);
    QTest::keyClick(dialog.List(), Qt::Key_Space);
    QVERIFY(dialog.List()->Chosen() == (std::vector<bool>{true, false, true}));
    Mnemonic(dialog, Qt::Key_O);

    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Outcome().Imported, 2);
    QCOMPARE(dialog.Outcome().FirstRecord, 6);
    const std::vector<MacroRecord> back = ReadMacroFileBack(current);
    QCOMPARE(back.size(), std::size_t{7});
    QCOMPARE(back[5].ShortKey.Str(), std::string("sig"));
    QCOMPARE(back[6].Text(), std::string("555"));
    QCOMPARE(program.store.MacroCount(), 7);
}

// "...will not be imported" is read beside the list: the line it names is no longer shown
// flagged by then, nor when "No macros are flagged" follows.
void ImportExportDialogsTest::EachMessageShowsTheLinesStillFlagged() {
    QTemporaryDir folder;
    const fs::path dir(folder.path().toStdString());
    const fs::path current = CurrentFile(dir);
    const fs::path other = dir / "Other.ORV";
    WriteMacroFile(other, {HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "taken"),
                           HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "free"),
                           HotKeyMacro("Ctrl+Alt+C", ScopeGlobal, "third")});
    Program program(current);

    // What the list shows flagged at each message.
    struct Watching : MessageSink {
        MacroChooserList* List = nullptr;
        std::vector<std::pair<std::string, std::vector<bool>>> Seen;
        void Show(std::string_view caption, std::string_view) override {
            Seen.emplace_back(std::string(caption), List->Chosen());
        }
        bool Ask(std::string_view caption, std::string_view) override {
            Seen.emplace_back(std::string(caption), List->Chosen());
            return false;
        }
    } watching;
    ImportMacrosDialog dialog(program.store, watching, QString(), program.window.get());
    watching.List = dialog.List();
    dialog.ChooseFile = [&] { return QString::fromStdString(other.string()); };
    dialog.OpenButton()->click();
    QCOMPARE(dialog.List()->topLevelItemCount(), 3);

    using Seen = std::vector<std::pair<std::string, std::vector<bool>>>;
    dialog.List()->SetChosen({true, false, false});
    dialog.OkButton()->click();
    QVERIFY(watching.Seen ==
            (Seen{{"Warning", {false, false, false}}, {"Error", {false, false, false}}}));
    QVERIFY(dialog.List()->Chosen() == (std::vector<bool>{false, false, false}));

    // With a free line beside it, the question is asked over what will be imported; No keeps
    // the dialog and that choice.
    watching.Seen.clear();
    dialog.List()->SetChosen({true, true, false});
    dialog.OkButton()->click();
    QVERIFY(watching.Seen ==
            (Seen{{"Warning", {false, true, false}}, {"Warning", {false, true, false}}}));
    QVERIFY(dialog.List()->Chosen() == (std::vector<bool>{false, true, false}));
    QCOMPARE(program.store.MacroCount(), 5);
}

void ImportExportDialogsTest::ExportWritesTheChosenLines() {
    QTemporaryDir folder;
    const fs::path dir(folder.path().toStdString());
    const fs::path current = dir / "Current.ORV";
    std::vector<MacroRecord> records = DefaultSystemMacros();
    records.insert(records.begin() + 1, HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "a", "", "Alpha"));
    records.push_back(HotKeyMacro("Ctrl+B", ScopeSpecificWindow, "b",
                                  "A window title longer than twenty", "Beta"));
    records.push_back(ShortKeyMacro("sig", "Jane"));
    records.push_back(PopupMenuMacro("Ctrl+M", {2}));
    WriteMacroFile(current, records);
    Program program(current);

    ExportMacrosDialog dialog(program.store, program.messages, QString(), program.window.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Macros"));
    QCOMPARE(dialog.property("orvaneHelpSection").toString(), QStringLiteral("export-macros"));
    QVERIFY(dialog.Records() == (std::vector<int>{2, 6, 7, 8}));
    QCOMPARE(LineTexts(*dialog.List(), 0), (QStringList{"Ctrl+Alt+A", "Ctrl+B", "sig", "Ctrl+M"}));
    QCOMPARE(LineTexts(*dialog.List(), 1), (QStringList{"Alpha", "Beta", "Jane", "menu"}));
    QCOMPARE(LineTexts(*dialog.List(), 2),
             (QStringList{"GLOBAL", "A window title longe", "GLOBAL", "POPUP MENU"}));

    int asked = 0;
    const fs::path target = dir / "Chosen.ORV";
    dialog.ChooseFile = [&] {
        ++asked;
        return QString::fromStdString(target.string());
    };
    QVERIFY(ShowActive(dialog));
    Mnemonic(dialog, Qt::Key_S);
    QTRY_COMPARE(program.Last(), "Error: " + std::string(NothingToExportText));
    QCOMPARE(asked, 0);

    dialog.List()->setFocus();
    QTest::keyClick(dialog.List(), Qt::Key_Down);
    QTest::keyClick(dialog.List(), Qt::Key_Space);
    QTest::keyClick(dialog.List(), Qt::Key_End);
    QTest::keyClick(dialog.List(), Qt::Key_Space);
    Mnemonic(dialog, Qt::Key_S);
    QTRY_COMPARE(asked, 1);
    QCOMPARE(program.Last(), std::string("ok: Export Complete"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const std::vector<MacroRecord> back = ReadMacroFileBack(target);
    QCOMPARE(back.size(), std::size_t{2});
    QCOMPARE(back[0].Nickname.Str(), std::string("Beta"));
    QCOMPARE(back[0].ScopeTarget.Str(), std::string("A window title longer than twe")); // all 30
    QVERIFY(back[1].PopupMembers().empty()); // its member stayed behind
}

void ImportExportDialogsTest::OutputNeedsADetailThatNamesTheMacroAndWritesInListOrder() {
    QTemporaryDir folder;
    const fs::path dir(folder.path().toStdString());
    const fs::path current = dir / "Current.ORV";
    std::vector<MacroRecord> records = DefaultSystemMacros();
    records.push_back(HotKeyMacro("Ctrl+Alt+Z", ScopeGlobal, "zed", "", "Zed"));
    records.push_back(HotKeyMacro("Ctrl+Alt+B", ScopeGlobal, "bee", "", "Bee"));
    WriteMacroFile(current, records);
    Program program(current);

    OutputMacrosDialog dialog(program.messages, program.window.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Output Macros To File"));
    QCOMPARE(dialog.property("orvaneHelpSection").toString(),
             QStringLiteral("output-macro-information"));
    for (QCheckBox* box : {dialog.HotKeyBox(), dialog.NameBox(), dialog.WindowBox(),
                           dialog.TextBox(), dialog.ScheduleBox(), dialog.IconBox()}) {
        QVERIFY(box->isChecked());
    }
    QVERIFY(ShowActive(dialog));
    for (const auto& [key, box] :
         {std::pair{Qt::Key_H, dialog.HotKeyBox()}, std::pair{Qt::Key_N, dialog.NameBox()},
          std::pair{Qt::Key_W, dialog.WindowBox()}, std::pair{Qt::Key_T, dialog.TextBox()}}) {
        Mnemonic(dialog, key);
        QTRY_VERIFY(!box->isChecked());
    }
    Mnemonic(dialog, Qt::Key_O);
    QTRY_COMPARE(program.Last(), "Error: " + std::string(NothingCheckedText));
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), dialog.HotKeyBox());
    Mnemonic(dialog, Qt::Key_N);
    QTRY_VERIFY(dialog.NameBox()->isChecked());
    Mnemonic(dialog, Qt::Key_O);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The list shows the hot keys in name order: Ctrl+Alt+B before Ctrl+Alt+Z.
    auto* commands = program.window->findChild<ImportExportCommands*>();
    QVERIFY(commands != nullptr);
    const fs::path target = dir / "info.txt";
    commands->ChooseInformationFile = [&] { return QString::fromStdString(target.string()); };
    commands->WriteInformation(dialog.Options());
    const std::string text = Slurp(target);
    QVERIFY2(text.find("Icon: \nName: Bee\n\n") < text.find("Icon: \nName: Zed\n\n") &&
                 text.find("Name: Zed") != std::string::npos,
             text.c_str());

    commands->ChooseInformationFile = [&] {
        return QString::fromStdString((dir / "missing" / "info.txt").string());
    };
    commands->WriteInformation(dialog.Options());
    QCOMPARE(program.Last(), "Error: " + std::string(TextFileFailedText));
}

} // namespace orvane

QTEST_MAIN(orvane::ImportExportDialogsTest)
#include "ImportExportDialogsTest.moc"
