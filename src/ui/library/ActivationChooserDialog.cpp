// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/ActivationChooserDialog.h"

#include "core/MessageSink.h"
#include "ui/QtText.h"
#include "ui/library/HotKeyPanel.h"
#include "ui/library/SetScheduleDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

ActivationChooserDialog::ActivationChooserDialog(ChooserMode mode, const MacroRecord& working,
                                                 const KeyUseCounts& uses, const KeyFlags& taken,
                                                 Services services, QWidget* parent)
    : QDialog(parent), mode_(mode), record_(working), taken_(taken), services_(services) {
    setWindowTitle(Latin(mode == ChooserMode::Copy ? CopyCaption : MoveCaption));
    auto* layout = new QVBoxLayout(this);

    label_ = new QLabel(FieldText(ChooserLabel(mode, working)));
    label_->setObjectName(QStringLiteral("chooserLabel"));
    QFont bold = label_->font();
    bold.setBold(true);
    label_->setFont(bold);
    layout->addWidget(label_);

    auto* choices = new QGroupBox(QStringLiteral("Activation"));
    auto* choiceRow = new QHBoxLayout(choices);
    hotKey_ = new QRadioButton(QStringLiteral("&Hot Key"));
    shortKeyChoice_ = new QRadioButton(QStringLiteral("&ShortKey"));
    timed_ = new QRadioButton(QStringLiteral("&Timed Macro"));
    for (QRadioButton* button : {hotKey_, shortKeyChoice_, timed_}) {
        choiceRow->addWidget(button);
    }
    hotKey_->setChecked(true);
    layout->addWidget(choices);

    keyPanel_ = new HotKeyPanel(uses, services.Picking,
                                {QStringLiteral("(Press the Hot &Key)"),
                                 QStringLiteral("Hot Key &List"), QStringLiteral("Hot key list")});
    layout->addWidget(keyPanel_, 1);

    auto* nameLabel = new QLabel(QStringLiteral("ShortKey &Name"));
    shortKey_ = new QLineEdit;
    shortKey_->setObjectName(QStringLiteral("shortKeyName"));
    shortKey_->setMaxLength(30);
    nameLabel->setBuddy(shortKey_);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(shortKey_, 1);
    layout->addLayout(nameRow);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(keyPanel_, &HotKeyPanel::KeyChosen, this, [this] { hotKey_->setChecked(true); });
    connect(shortKey_, &QLineEdit::textEdited, this, [this] { shortKeyChoice_->setChecked(true); });
    connect(buttons, &QDialogButtonBox::accepted, this, &ActivationChooserDialog::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    keyPanel_->Field()->setFocus();
}

QRadioButton* ActivationChooserDialog::Choice(ActivationChoice choice) const {
    switch (choice) {
    case ActivationChoice::HotKey:
        return hotKey_;
    case ActivationChoice::ShortKey:
        return shortKeyChoice_;
    case ActivationChoice::Timed:
        return timed_;
    }
    return hotKey_;
}

ChooserForm ActivationChooserDialog::Form() const {
    ChooserForm form;
    form.Choice = timed_->isChecked()            ? ActivationChoice::Timed
                  : shortKeyChoice_->isChecked() ? ActivationChoice::ShortKey
                                                 : ActivationChoice::HotKey;
    form.Code = keyPanel_->SelectedCode();
    // A character the code page lacks is no ShortKey character either.
    form.ShortKeyName = StoredText(shortKey_->text(), '\x7f');
    return form;
}

void ActivationChooserDialog::OkClick() {
    const ChooserForm form = Form();
    const ChooserCheck check = CheckChooser(form, mode_, record_, taken_);
    if (!ConfirmChoice(check, *services_.Messages, *keyPanel_, *shortKey_)) {
        return;
    }
    if (ApplyChooser(form, check, record_, services_.Today)) {
        SetScheduleDialog schedule(record_, services_.Today, *services_.Messages, this);
        if (schedule.exec() == QDialog::Accepted) {
            record_ = schedule.Record();
        }
    }
    accept();
}

} // namespace orvane
