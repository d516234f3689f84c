// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/AppearanceDialog.h"

#include "ui/QtText.h"

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

AppearanceDialog::AppearanceDialog(const AppearanceForm& form, MessageSink& messages,
                                   FontChooser chooser, std::function<void()> saveSettings,
                                   QWidget* parent)
    : FormDialog(messages, parent), fonts_(form), chooser_(std::move(chooser)),
      saveSettings_(std::move(saveSettings)) {
    setWindowTitle(QStringLiteral("Appearance"));
    setObjectName(QStringLiteral("AppearanceDialog"));
    setProperty("orvaneHelpSection", QStringLiteral("appearance"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;

    auto* widthBox = new QGroupBox(QStringLiteral("Column Widths"));
    auto* widthForm = new QFormLayout(widthBox);
    for (int i = 0; i < 3; ++i) {
        auto* field = new QLineEdit(FieldText(form.Widths[static_cast<std::size_t>(i)]));
        field->setObjectName(QStringLiteral("Col%1Width").arg(i + 1));
        field->setMaxLength(6);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                             12);
        auto* label = new QLabel(QStringLiteral("Column &%1 Width").arg(i + 1));
        label->setBuddy(field);
        field->setAccessibleName(QStringLiteral("Column %1 Width").arg(i + 1));
        widthForm->addRow(label, field);
        widths_[static_cast<std::size_t>(i)] = field;
    }
    row->addWidget(widthBox);

    auto* right = new QVBoxLayout;
    auto* buttonsBox = new QGroupBox(QStringLiteral("Buttons"));
    auto* buttonsLayout = new QVBoxLayout(buttonsBox);
    speed_ = new QRadioButton(QStringLiteral("&Speed Buttons"));
    lettered_ = new QRadioButton(QStringLiteral("&Lettered Buttons"));
    (form.UseSpeed ? speed_ : lettered_)->setChecked(true);
    buttonsLayout->addWidget(speed_);
    buttonsLayout->addWidget(lettered_);
    right->addWidget(buttonsBox);
    gridFont_ = new QPushButton(QStringLiteral("&Grid Font..."));
    gridTitleFont_ = new QPushButton(QStringLiteral("Grid &Title Font..."));
    for (QPushButton* button : {gridFont_, gridTitleFont_}) {
        button->setAutoDefault(false);
        right->addWidget(button);
    }
    right->addStretch();
    row->addLayout(right);
    layout->addLayout(row);
    layout->addWidget(AddButtons());

    connect(gridFont_, &QPushButton::clicked, this, &AppearanceDialog::GridFontClick);
    connect(gridTitleFont_, &QPushButton::clicked, this, &AppearanceDialog::GridTitleFontClick);
    setTabOrder(widths_[0], widths_[1]);
    setTabOrder(widths_[1], widths_[2]);
    setTabOrder(widths_[2], speed_);
    setTabOrder(speed_, lettered_);
    setTabOrder(lettered_, gridFont_);
    setTabOrder(gridFont_, gridTitleFont_);
    widths_[0]->setFocus();
    CentreOnScreen();
}

AppearanceForm AppearanceDialog::Form() const {
    AppearanceForm form = fonts_;
    for (std::size_t i = 0; i < 3; ++i) {
        form.Widths[i] = StoredText(widths_[i]->text());
    }
    form.UseSpeed = speed_->isChecked();
    return form;
}

std::optional<FormDialog::Refusal> AppearanceDialog::CheckForm() {
    if (const auto refusal = CheckAppearance(Form())) {
        return Refusal{"Error", refusal->Text,
                       widths_[static_cast<std::size_t>(refusal->Width)]->objectName()};
    }
    return std::nullopt;
}

void AppearanceDialog::GridFontClick() {
    const std::optional<QFont> chosen =
        chooser_(this, QFontFrom(fonts_.GridFont), QStringLiteral("Grid Font"), false);
    if (!chosen) {
        return;
    }
    fonts_.GridFont = GridFontChosen(FontSettingsFrom(*chosen, fonts_.GridFont.Color));
    saveSettings_();
}

void AppearanceDialog::GridTitleFontClick() {
    const std::optional<QFont> chosen =
        chooser_(this, QFontFrom(fonts_.GridTitleFont), QStringLiteral("Grid Title Font"), true);
    if (!chosen) {
        return;
    }
    fonts_.GridTitleFont = FontSettingsFrom(*chosen, fonts_.GridTitleFont.Color);
    saveSettings_();
}

} // namespace orvane
