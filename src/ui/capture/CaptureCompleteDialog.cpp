// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/capture/CaptureCompleteDialog.h"

#include "core/MessageSink.h"
#include "ui/QtText.h"
#include "ui/library/HotKeyPanel.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

CaptureCompleteDialog::CaptureCompleteDialog(const MacroRecord& record,
                                             const CaptureCompleteForm& form, std::string program,
                                             const KeyUseCounts& uses, const KeyFlags& globalKeys,
                                             Services services, QWidget* parent)
    : QDialog(parent), record_(record), programName_(std::move(program)), globalKeys_(globalKeys),
      services_(std::move(services)) {
    setWindowTitle(QStringLiteral("Capture Complete"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Macro Capture Complete"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(
        new QLabel(QStringLiteral("Please assign this macro to a hot key or shortkey.")));

    auto* choices = new QHBoxLayout;
    auto* type = new QGroupBox(QStringLiteral("Macro Type"));
    auto* typeColumn = new QVBoxLayout(type);
    hotKeys_ = new QRadioButton(QStringLiteral("&Hot Keys"));
    shortKeys_ = new QRadioButton(QStringLiteral("&ShortKeys"));
    typeColumn->addWidget(hotKeys_);
    typeColumn->addWidget(shortKeys_);
    choices->addWidget(type);
    auto* scope = new QGroupBox(QStringLiteral("Scope"));
    auto* scopeColumn = new QVBoxLayout(scope);
    global_ = new QRadioButton(QStringLiteral("&Global"));
    program_ = new QRadioButton(QStringLiteral("&Program"));
    scopeColumn->addWidget(global_);
    scopeColumn->addWidget(program_);
    choices->addWidget(scope);
    layout->addLayout(choices);

    auto* nicknameRow = new QFormLayout;
    nickname_ = new QLineEdit(FieldText(record.Nickname.View()));
    nickname_->setObjectName(QStringLiteral("nickname"));
    nickname_->setMaxLength(static_cast<int>(CaptureNicknameLength));
    nicknameRow->addRow(QStringLiteral("N&ickName"), nickname_);
    layout->addLayout(nicknameRow);

    keyPanel_ = new HotKeyPanel(uses, services_.Picking, HotKeyPanel::PlaceCursorCaptions());
    layout->addWidget(keyPanel_, 1);

    namePanel_ = new QWidget;
    auto* nameRow = new QFormLayout(namePanel_);
    nameRow->setContentsMargins(0, 0, 0, 0);
    shortKey_ = new QLineEdit(FieldText(form.ShortKeyName));
    shortKey_->setObjectName(QStringLiteral("shortKeyName"));
    shortKey_->setMaxLength(10);
    nameRow->addRow(QStringLiteral("ShortKey &Name"), shortKey_);
    layout->addWidget(namePanel_);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    QPushButton* help = buttons->addButton(QStringLiteral("H&elp"), QDialogButtonBox::HelpRole);
    help->setEnabled(static_cast<bool>(services_.Help));
    layout->addWidget(buttons);
    connect(ok_, &QPushButton::clicked, this, &CaptureCompleteDialog::OkClick);
    connect(help, &QPushButton::clicked, this, [this] {
        if (services_.Help) {
            services_.Help();
        }
    });
    connect(hotKeys_, &QRadioButton::toggled, this, &CaptureCompleteDialog::TypeChanged);

    (form.ShortKeys ? shortKeys_ : hotKeys_)->setChecked(true);
    (form.ProgramScope ? program_ : global_)->setChecked(true);
    if (form.Code) {
        keyPanel_->SelectCode(*form.Code);
    }
    TypeChanged();
    keyPanel_->Field()->setFocus();
}

void CaptureCompleteDialog::TypeChanged() {
    const bool keys = hotKeys_->isChecked();
    keyPanel_->setVisible(keys);
    namePanel_->setVisible(!keys);
    adjustSize();
}

CaptureCompleteForm CaptureCompleteDialog::Form() const {
    CaptureCompleteForm form;
    form.ShortKeys = shortKeys_->isChecked();
    form.ProgramScope = program_->isChecked();
    form.Nickname = StoredText(nickname_->text());
    form.Code = keyPanel_->SelectedCode();
    form.ShortKeyName = StoredText(shortKey_->text(), '\x7f');
    return form;
}

void CaptureCompleteDialog::OkClick() {
    const CaptureCompleteForm form = Form();
    const ChooserCheck check = CheckCaptureComplete(form, globalKeys_);
    if (!ConfirmChoice(check, *services_.Messages, *keyPanel_, *shortKey_)) {
        return;
    }
    ApplyCaptureComplete(form, check, programName_, record_);
    accept();
}

} // namespace orvane
