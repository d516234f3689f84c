// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of the three capture dialogs for the manual.
// Usage: ui_capture_screenshots <folder>    (QT_QPA_PLATFORM=offscreen works)
#include "core/HotKeyTable.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/Readability.h"
#include "ui/capture/CaptureCompleteDialog.h"
#include "ui/capture/CaptureDefaultsDialog.h"
#include "ui/capture/CaptureMacroDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    orvane::FakeMessageSink sink;
    orvane::SettingsBlock settings;
    bool saved = true;
    const auto save = [&](QWidget& dialog, const char* name) {
        saved = orvane::SaveReadable(dialog, folder, QString::fromLatin1(name)) && saved;
    };

    orvane::CaptureMacroDialog::Setup setup;
    setup.ActivationText = QStringLiteral("Ctrl+Alt+Shift+G");
    setup.EndLabel =
        QString::fromStdString(orvane::EndCaptureLabel("Ctrl+Alt+Shift+X", "Ctrl+Alt+Shift+G"));
    setup.Form = orvane::CaptureMacroFormFrom(settings, false, "Greeting");
    orvane::CaptureMacroDialog capture(setup);
    save(capture, "capture-macro.png");

    orvane::CaptureDefaultsDialog defaults(orvane::CaptureOptionsFrom(settings));
    save(defaults, "capture-defaults.png");

    orvane::MacroRecord record;
    record.Nickname.Assign("Capture");
    record.ShortKey.Assign("capture");
    record.HotKey = orvane::HotKeyShortKey;
    orvane::KeyUseCounts uses{};
    uses[*orvane::HotKeyCodeOf("Ctrl+Alt+Shift+X")] = 1;
    orvane::CaptureCompleteDialog complete(record, orvane::CaptureCompleteFormFrom(settings),
                                           "GEDIT", uses, {}, {{}, &sink, {}});
    save(complete, "capture-complete.png");
    return saved ? 0 : 1;
}
