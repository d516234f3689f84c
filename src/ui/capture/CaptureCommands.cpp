// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/capture/CaptureCommands.h"

#include "core/DayCount.h"
#include "core/HotKeyTable.h"
#include "core/LocalMoment.h"
#include "core/MacroStore.h"
#include "core/Schedule.h"
#include "library/HotKeyChoice.h"
#include "library/MacroManagement.h"
#include "ui/HelpCenter.h"
#include "ui/MainCommandTable.h"
#include "ui/QtText.h"
#include "ui/capture/CaptureCompleteDialog.h"
#include "ui/capture/CaptureDefaultsDialog.h"
#include "ui/capture/CaptureMacroDialog.h"
#include "ui/library/MacroCommands.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"
#include "widgets/TrayIcons.h"

#include <utility>

namespace orvane {
namespace {

QString ActivationOf(std::uint16_t hotKey, std::string_view shortKey) {
    if (hotKey == HotKeyShortKey) {
        return QStringLiteral("ShortKey: ") + FieldText(shortKey);
    }
    if (hotKey == HotKeyTimed) {
        return QStringLiteral("Timed Macro");
    }
    return FieldText(HotKeyName(hotKey).value_or(""));
}

constexpr std::string_view NoRecaptureSystemText =
    "A system macro has no script to capture.  Its hot key is changed with \"Rename Macro\".";
constexpr std::string_view NoRecaptureMenuText =
    "A popup menu lists other macros and has no script to capture.  It is changed with "
    "\"Modify Popup Menu\".";

} // namespace

// "&Capture Macro" in "Add Macro": the new macro leaves the dialog with its nickname and
// empty script; the caller stores it, and the capture starts once it is in the file.
class CaptureCommands::NewMacroEditor final : public MacroEditor {
public:
    explicit NewMacroEditor(CaptureCommands& owner) : owner_(owner) {}

    bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) override {
        CaptureSession& session = owner_.Session();
        owner_.pending_.reset();
        // Only one capture runs at a time: confirmed now, the new macro would be stored empty.
        if (session.Busy()) {
            owner_.window_.Messages().Show(CaptureSession::ErrorCaption,
                                           CaptureSession::InProgressText);
            return false;
        }
        CaptureMacroDialog::Setup setup;
        setup.ActivationText = request.ActivationText;
        setup.EndLabel = FieldText(EndCaptureLabel(
            session.StopKeyName(),
            record.HotKey < HotKeyCount ? HotKeyName(record.HotKey).value_or("") : ""));
        setup.GlobalForbidden = request.GlobalForbidden;
        setup.Form = CaptureMacroFormFrom(owner_.window_.Settings(), request.GlobalForbidden, "");
        CaptureMacroDialog dialog(setup, parent);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        const CaptureMacroForm form = dialog.Form();
        record.Nickname.Assign(form.Nickname);
        record.Scope = ScopeGlobal;
        record.ScopeTarget.Assign("");
        record.TopMostOnly = 0; // a program scope is applied when the capture ends
        record.Active = 1;
        record.Icon.Assign("MAIN");
        record.SetText("");
        DefaultTimer(record, LocalMoment::Now());
        record.LastModified = NowAsDays();
        owner_.pending_ = PendingStart{request.RecordNumber, form.Options, form.ProgramScope};
        return true;
    }

private:
    CaptureCommands& owner_;
};

CaptureCommands::CaptureCommands(TMainWin& window, Services services)
    : QObject(&window), window_(window), services_(std::move(services)) {
    MacroStore* store = window.Context().Store;
    if (store == nullptr) {
        return;
    }
    session_ = std::make_unique<CaptureSession>(*store, window.Settings(), *this, window.Messages(),
                                                services_.Runtime, services_.Data);
    editor_ = std::make_unique<NewMacroEditor>(*this);
    using enum MainCommand;
    MainCommandTable& commands = window.Commands();
    commands.Bind(RecaptureMacro, [this] { RecaptureClick(); });
    commands.Bind(Capture, [this] { DefaultsClick(); });
    commands.Bind(EndCapture, [this] { EndCaptureClick(); });
    commands.SetAvailable(EndCapture, false);
    // A right click on the recording icon ends the capture, as "&End Capture" does.
    connect(&window.Tray(), &TrayIcons::RecordingRightClicked, this,
            &CaptureCommands::EndCaptureClick);
    connect(&window.Macros(), &MacroCommands::AddFinished, this, &CaptureCommands::NewMacroStored);
    window.SetCaptureBusy([this] { return session_->Busy(); });
}

CaptureCommands::~CaptureCommands() {
    if (session_) {
        window_.SetCaptureBusy({});
    }
}

MacroEditor& CaptureCommands::Editor() {
    return *editor_;
}

void CaptureCommands::NewMacroStored(int record) {
    const std::optional<PendingStart> pending = std::exchange(pending_, std::nullopt);
    if (!pending || record <= 0 || record != pending->Record || !TakeLease()) {
        return;
    }
    if (!session_->StartCapture(pending->Record, pending->Options, pending->ProgramScope)) {
        lease_.reset();
    }
}

bool CaptureCommands::TakeLease() {
    lease_ = std::make_unique<SyncLease>(window_);
    if (lease_->Refused()) {
        lease_.reset();
        return false;
    }
    return true;
}

bool CaptureCommands::HoldFile() {
    return TakeLease();
}

void CaptureCommands::ReleaseFile(bool changed) {
    if (lease_ && changed) {
        lease_->Changed();
    }
    lease_.reset();
}

void CaptureCommands::StartACapture() {
    if (session_) {
        session_->StartACapture();
    }
}

void CaptureCommands::RecaptureClick() {
    MacroStore& store = *window_.Context().Store;
    const int selected = window_.Grid().SelectedRecord();
    if (const auto refusal =
            OpeningRefusal(MacroCommandKind::Modify, store.MacroCount(), selected)) {
        window_.Messages().Show("Error", *refusal);
        return;
    }
    if (session_->Busy()) {
        window_.Messages().Show(CaptureSession::ErrorCaption, CaptureSession::InProgressText);
        return;
    }
    // A system macro or a popup menu holds no script to record.
    const std::int16_t scope = store.Table().Scope(selected);
    if (scope == ScopeSystem || scope == ScopePopupMenu) {
        window_.Messages().Show(CaptureSession::ErrorCaption,
                                scope == ScopeSystem ? NoRecaptureSystemText : NoRecaptureMenuText);
        return;
    }
    if (!TakeLease()) {
        return;
    }
    MacroRecord working;
    if (!ReadWorkingMacro(store, selected, working, window_.Messages())) {
        lease_.reset();
        return;
    }
    const bool globalForbidden =
        working.Scope != ScopeGlobal && working.HotKey < HotKeyCount &&
        KeyUsedByOtherGlobal(store.Table(), store.MacroCount(), working.HotKey, selected);
    CaptureMacroDialog::Setup setup;
    setup.ActivationText = ActivationOf(working.HotKey, working.ShortKey.View());
    setup.EndLabel =
        FieldText(EndCaptureLabel(session_->StopKeyName(), session_->OwnKeyName(selected)));
    setup.GlobalForbidden = globalForbidden;
    setup.Form = CaptureMacroFormFrom(window_.Settings(), globalForbidden, working.Nickname.View());
    CaptureMacroDialog dialog(setup, &window_);
    if (dialog.exec() != QDialog::Accepted) {
        lease_.reset();
        return;
    }
    const CaptureMacroForm form = dialog.Form();
    const MacroRecord before = working;
    working.Nickname.Assign(form.Nickname);
    working.Scope = ScopeGlobal;
    working.ScopeTarget.Assign("");
    working.TopMostOnly = 0;
    const StoredMacro stored = StoreChangedMacro(store, selected, before, working);
    if (!stored.Stored) {
        lease_.reset();
        return;
    }
    lease_->Changed();
    window_.RefreshFromStore(selected);
    if (!session_->StartCapture(selected, form.Options, form.ProgramScope)) {
        lease_.reset();
    }
}

void CaptureCommands::DefaultsClick() {
    CaptureDefaultsDialog dialog(CaptureOptionsFrom(window_.Settings()), &window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    StoreCaptureOptions(dialog.Options(), window_.Settings());
    window_.SaveSettings();
}

void CaptureCommands::EndCaptureClick() {
    if (session_) {
        session_->EndCapture();
    }
}

void CaptureCommands::CaptureStarted() {
    if (window_.Settings().UseTray) {
        window_.hide();
        if (services_.FrontOtherProgram) {
            services_.FrontOtherProgram();
        }
    } else {
        window_.showMinimized();
    }
    window_.Tray().ShowRecording(true);
    window_.Commands().SetAvailable(MainCommand::EndCapture, true);
}

void CaptureCommands::RecordingStopped() {
    window_.Tray().ShowRecording(false);
    window_.Commands().SetAvailable(MainCommand::EndCapture, false);
}

std::string CaptureCommands::TopProgram() {
    return services_.TopProgram ? services_.TopProgram() : std::string();
}

bool CaptureCommands::CaptureComplete(MacroRecord& record, std::string_view program) {
    if (window_.Settings().UseTray) {
        ShowProgram();
    }
    MacroStore& store = *window_.Context().Store;
    const CaptureCompleteDialog::Services services{services_.Picking, &window_.Messages(),
                                                   ShowHelpForActiveWindow};
    CaptureCompleteDialog dialog(record, CaptureCompleteFormFrom(window_.Settings()),
                                 std::string(program),
                                 CountKeyUses(store.Table(), store.MacroCount()),
                                 GlobalKeys(store.Table(), store.MacroCount()), services, &window_);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    record = dialog.Record();
    return true;
}

void CaptureCommands::ListChanged(int record) {
    window_.RefreshFromStore(record);
}

void CaptureCommands::ShowProgram() {
    if (window_.isMinimized()) {
        window_.showNormal();
    } else {
        window_.show();
    }
    window_.raise();
    window_.activateWindow();
}

void CaptureCommands::CaptureStored(int record) {
    ShowProgram();
    window_.RefreshFromStore(record);
    MacroStore& store = *window_.Context().Store;
    if (record > 0 && record <= store.MacroCount() && store.Table().HotKey(record) < HotKeyCount) {
        window_.ReportUnavailableKeys(store.Table().HotKey(record));
    }
    window_.CaptureEnded();
}

} // namespace orvane
