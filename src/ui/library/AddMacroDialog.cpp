// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/AddMacroDialog.h"

#include "core/MessageSink.h"
#include "ui/QtText.h"
#include "ui/library/HotKeyPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

AddMacroDialog::AddMacroDialog(const KeyUseCounts& uses, const KeyFlags& globalKeys,
                               bool userMacros, Services services, QWidget* parent)
    : QDialog(parent), globalKeys_(globalKeys), userMacros_(userMacros), services_(services) {
    setWindowTitle(QStringLiteral("Add Macro"));
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);

    auto* types = new QGroupBox(QStringLiteral("Macro Type"));
    auto* typeColumn = new QVBoxLayout(types);
    hotKeys_ = new QRadioButton(QStringLiteral("&Hot Keys"));
    shortKeys_ = new QRadioButton(QStringLiteral("S&hortKeys"));
    timed_ = new QRadioButton(QStringLiteral("&Timed Macro"));
    popup_ = new QRadioButton(QStringLiteral("&Popup Menu"));
    for (QRadioButton* button : {hotKeys_, shortKeys_, timed_, popup_}) {
        typeColumn->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                TypeChanged();
            }
        });
    }
    left->addWidget(types);

    keyPanel_ = new HotKeyPanel(uses, services.Picking, HotKeyPanel::PlaceCursorCaptions());
    left->addWidget(keyPanel_, 1);

    namePanel_ = new QWidget;
    auto* nameRow = new QHBoxLayout(namePanel_);
    nameRow->setContentsMargins(0, 0, 0, 0);
    auto* nameLabel = new QLabel(QStringLiteral("ShortKey &Name"));
    shortKey_ = new QLineEdit;
    shortKey_->setObjectName(QStringLiteral("shortKeyName"));
    shortKey_->setMaxLength(10);
    nameLabel->setBuddy(shortKey_);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(shortKey_, 1);
    left->addWidget(namePanel_);
    // With the key list hidden (a ShortKey or a timed macro) the space below the choices stays
    // empty instead of spreading the four choices over it.
    left->addStretch(0);

    auto* buttons = new QVBoxLayout;
    scripting_ = new QPushButton(QStringLiteral("&Scripting Editor"));
    scripting_->setDefault(true);
    direct_ = new QPushButton(QStringLiteral("&Enter Directly"));
    capture_ = new QPushButton(QStringLiteral("&Capture Macro"));
    auto* abort = new QPushButton(QStringLiteral("&Abort"));
    for (QPushButton* button : {scripting_, direct_, capture_, abort}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    columns->addLayout(buttons);

    connect(scripting_, &QPushButton::clicked, this, [this] { Open(Editor::Scripting); });
    connect(direct_, &QPushButton::clicked, this, [this] { Open(Editor::Direct); });
    connect(capture_, &QPushButton::clicked, this, [this] { Open(Editor::Capture); });
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);

    hotKeys_->setChecked(true);
    keyPanel_->Field()->setFocus();
}

QRadioButton* AddMacroDialog::TypeButton(NewMacroType type) const {
    switch (type) {
    case NewMacroType::HotKey:
        return hotKeys_;
    case NewMacroType::ShortKey:
        return shortKeys_;
    case NewMacroType::Timed:
        return timed_;
    case NewMacroType::PopupMenu:
        return popup_;
    }
    return hotKeys_;
}

AddMacroForm AddMacroDialog::Form() const {
    AddMacroForm form;
    form.Type = popup_->isChecked()       ? NewMacroType::PopupMenu
                : timed_->isChecked()     ? NewMacroType::Timed
                : shortKeys_->isChecked() ? NewMacroType::ShortKey
                                          : NewMacroType::HotKey;
    form.Code = keyPanel_->SelectedCode();
    form.ShortKeyName = StoredText(shortKey_->text(), '\x7f');
    return form;
}

MacroEditor* AddMacroDialog::EditorFor(Editor editor, NewMacroType type) const {
    const MacroEditors& editors = services_.Editors;
    if (type == NewMacroType::PopupMenu) {
        // A menu is built from other macros: neither written as a script nor recorded.
        return editor == Editor::Direct ? editors.MenuBuilder : nullptr;
    }
    switch (editor) {
    case Editor::Scripting:
        return editors.Scripting;
    case Editor::Direct:
        return editors.Direct;
    case Editor::Capture:
        return type == NewMacroType::Timed ? nullptr : editors.Capture;
    }
    return nullptr;
}

void AddMacroDialog::TypeChanged() {
    const NewMacroType type = Form().Type;
    const bool keys = type == NewMacroType::HotKey || type == NewMacroType::PopupMenu;
    keyPanel_->setVisible(keys);
    namePanel_->setVisible(type == NewMacroType::ShortKey);
    direct_->setText(type == NewMacroType::PopupMenu ? QStringLiteral("Build &Menu")
                                                     : QStringLiteral("&Enter Directly"));
    scripting_->setEnabled(EditorFor(Editor::Scripting, type) != nullptr);
    direct_->setEnabled(EditorFor(Editor::Direct, type) != nullptr);
    capture_->setEnabled(EditorFor(Editor::Capture, type) != nullptr);
    capture_->setToolTip(services_.Editors.CaptureMissing);
    capture_->setAccessibleDescription(services_.Editors.CaptureMissing);
    // The hidden panel leaves the layout only once it is activated; then the dialog fits.
    layout()->activate();
    adjustSize();
}

bool AddMacroDialog::Open(Editor editor) {
    const AddMacroForm form = Form();
    MacroEditor* target = EditorFor(editor, form.Type);
    if (target == nullptr) {
        return false;
    }
    const ChooserCheck check = CheckAddMacro(form, globalKeys_, userMacros_);
    if (!ConfirmChoice(check, *services_.Messages, *keyPanel_, *shortKey_)) {
        return false;
    }
    MacroRecord record = NewMacroRecord(form, check);
    MacroEditRequest request;
    request.NewMacro = true;
    request.RecordNumber = services_.NewRecordNumber;
    switch (form.Type) {
    case NewMacroType::Timed:
        request.Kind = ActivationKind::Timed;
        break;
    case NewMacroType::ShortKey:
        request.Kind = ActivationKind::ShortKey;
        request.ActivationText = QStringLiteral("ShortKey: ") + FieldText(check.ShortKeyName);
        break;
    case NewMacroType::HotKey:
    case NewMacroType::PopupMenu:
        request.Kind = ActivationKind::HotKey;
        request.GlobalForbidden = globalKeys_[record.HotKey];
        request.ActivationText = FieldText(HotKeyName(record.HotKey).value_or(""));
        break;
    }
    if (!target->Edit(record, request, this)) {
        return false;
    }
    record_ = record;
    accept();
    return true;
}

} // namespace orvane
