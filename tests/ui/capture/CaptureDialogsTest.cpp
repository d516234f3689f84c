// SPDX-License-Identifier: GPL-3.0-or-later
// The capture dialogs: the options' enabling rules as the user changes them, "Capture Macro"
// opening on the defaults and the macro, and "Capture Complete" refusing and storing choices.
#include "core/HotKeyTable.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeMessageSink.h"
#include "ui/capture/CaptureCompleteDialog.h"
#include "ui/capture/CaptureDefaultsDialog.h"
#include "ui/capture/CaptureMacroDialog.h"
#include "ui/capture/CaptureOptionsPanel.h"
#include "ui/library/HotKeyList.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace orvane {

class CaptureDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void OptionsFollowTheEnablingRules();
    void CaptureMacroOpensOnTheDefaultsAndTheMacro();
    void CaptureCompleteRefusesThenStores();
};

void CaptureDialogsTest::OptionsFollowTheEnablingRules() {
    CaptureOptions options;
    options.Speed = 3;
    CaptureDefaultsDialog dialog(options);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Capture Defaults"));
    CaptureOptionsPanel* panel = dialog.Panel();
    QVERIFY(panel->Speed(3)->isChecked());
    QVERIFY(panel->Screen()->isChecked());
    QCOMPARE(panel->Screen()->text(), QStringLiteral("&Screen"));
    QVERIFY(!panel->WindowSize()->isEnabled()); // only relative to the window
    QVERIFY(panel->Prompt() != nullptr && panel->Prompt()->isChecked());

    panel->Window()->click();
    QVERIFY(panel->WindowSize()->isEnabled());
    panel->Mouse()->click();
    QVERIFY(!panel->Screen()->isEnabled() && !panel->Window()->isEnabled());
    QVERIFY(!panel->WindowSize()->isEnabled());
    panel->Keys()->click();
    QVERIFY(!panel->DoubleAlt()->isEnabled());
    panel->Time()->click();
    for (int speed = 1; speed <= 4; ++speed) {
        QVERIFY(!panel->Speed(speed)->isEnabled());
    }
    panel->Program()->click();
    panel->Prompt()->click();
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CaptureOptions chosen = dialog.Options();
    QVERIFY(!chosen.Keys && !chosen.Mouse && !chosen.Time && !chosen.RelativeToScreen);
    QVERIFY(!chosen.Global && !chosen.Prompt);
    QCOMPARE(chosen.Speed, 3);
}

void CaptureDialogsTest::CaptureMacroOpensOnTheDefaultsAndTheMacro() {
    SettingsBlock settings;
    settings.CaptureTime = false;
    CaptureMacroDialog::Setup setup;
    setup.ActivationText = QStringLiteral("Ctrl+Alt+Shift+G");
    setup.EndLabel =
        QString::fromStdString(EndCaptureLabel("Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+G"));
    setup.GlobalForbidden = true;
    setup.Form = CaptureMacroFormFrom(settings, true, "greeting");
    CaptureMacroDialog dialog(setup);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Capture Macro"));
    QCOMPARE(dialog.EndLabel()->text(),
             QStringLiteral("Press Ctrl+Alt+Shift+X to end capture\nOr Press Ctrl+Alt+Shift+G to "
                            "end capture"));
    QCOMPARE(dialog.Nickname()->text(), QStringLiteral("greeting"));
    QCOMPARE(dialog.Nickname()->maxLength(), 50);
    QVERIFY(dialog.Nickname()->hasFocus());
    CaptureOptionsPanel* panel = dialog.Options();
    QVERIFY(panel->Prompt() == nullptr);
    QCOMPARE(panel->Screen()->text(), QStringLiteral("Sc&reen")); // S is "&Start Capture"
    QVERIFY(!panel->Time()->isChecked());
    QVERIFY(!panel->Speed(1)->isEnabled());
    QVERIFY(panel->Program()->isChecked());
    QVERIFY(!panel->Global()->isEnabled());

    dialog.Nickname()->setText(QStringLiteral("hello again"));
    panel->Time()->click();
    panel->Speed(2)->click();
    dialog.StartButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const CaptureMacroForm form = dialog.Form();
    QCOMPARE(QString::fromStdString(form.Nickname), QStringLiteral("hello again"));
    QVERIFY(form.Options.Time);
    QCOMPARE(form.Options.Speed, 2);
    QVERIFY(form.ProgramScope);
}

void CaptureDialogsTest::CaptureCompleteRefusesThenStores() {
    FakeMessageSink sink;
    MacroRecord record;
    record.Nickname.Assign("Capture");
    record.ShortKey.Assign("capture");
    record.HotKey = HotKeyShortKey;
    record.Scope = ScopeGlobal;
    KeyUseCounts uses{};
    KeyFlags globalKeys{};
    const std::uint16_t taken = *HotKeyCodeOf("Ctrl+Alt+Shift+G");
    globalKeys[taken] = true;
    SettingsBlock settings;
    CaptureCompleteDialog dialog(record, CaptureCompleteFormFrom(settings), "GEDIT", uses,
                                 globalKeys, {{}, &sink, {}});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Capture Complete"));
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(dialog.HotKeysButton()->isChecked());
    QVERIFY(dialog.GlobalButton()->isChecked());
    QCOMPARE(dialog.Nickname()->text(), QStringLiteral("Capture"));

    dialog.OkButton()->click();
    QCOMPARE(sink.Shown.back().Text, std::string(NoHotKeySelectedText));
    QVERIFY(dialog.isVisible());
    dialog.KeyList()->SelectCode(taken);
    dialog.OkButton()->click();
    QCOMPARE(sink.Shown.back().Text, std::string(CaptureGlobalKeyInUseText));
    QVERIFY(dialog.isVisible());

    // ShortKeys hide the key list; an empty name is refused with the focus on it.
    dialog.ShortKeysButton()->click();
    QVERIFY(!dialog.KeyPanel()->isVisible());
    QVERIFY(dialog.ShortKeyName()->isVisible());
    dialog.OkButton()->click();
    QCOMPARE(sink.Shown.back().Text, std::string(AddNoShortKeyNameText));
    QVERIFY(dialog.ShortKeyName()->hasFocus());

    dialog.ShortKeyName()->setText(QStringLiteral(" mail "));
    dialog.Nickname()->setText(QStringLiteral("  Mail  "));
    dialog.ProgramButton()->click();
    dialog.OkButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const MacroRecord& stored = dialog.Record();
    QCOMPARE(stored.HotKey, HotKeyShortKey);
    QCOMPARE(stored.ShortKey.Str(), std::string("mail"));
    QCOMPARE(stored.Nickname.Str(), std::string("Mail"));
    QCOMPARE(stored.Scope, ScopeSpecificProgram);
    QCOMPARE(stored.ScopeTarget.Str(), std::string("GEDIT"));
}

} // namespace orvane

QTEST_MAIN(orvane::CaptureDialogsTest)
#include "CaptureDialogsTest.moc"
