// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/OutputMacrosDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace orvane {

OutputMacrosDialog::OutputMacrosDialog(MessageSink& messages, QWidget* parent)
    : FormDialog(messages, parent) {
    setWindowTitle(QStringLiteral("Output Macros To File"));
    setObjectName(QStringLiteral("OutputMacrosDialog"));
    setProperty("orvaneHelpSection", QStringLiteral("output-macro-information"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Write for each macro"));
    auto* boxes = new QVBoxLayout(group);
    const auto box = [&](const QString& caption, const QString& name) {
        auto* check = new QCheckBox(caption);
        check->setObjectName(name);
        check->setChecked(true);
        boxes->addWidget(check);
        return check;
    };
    hotKey_ = box(QStringLiteral("&Hot Key"), QStringLiteral("HotKey"));
    name_ = box(QStringLiteral("&Name"), QStringLiteral("Name"));
    window_ = box(QStringLiteral("&Window"), QStringLiteral("Window"));
    text_ = box(QStringLiteral("&Text"), QStringLiteral("Text"));
    schedule_ = box(QStringLiteral("Schedu&le"), QStringLiteral("Schedule"));
    icon_ = box(QStringLiteral("&Icon"), QStringLiteral("Icon"));
    layout->addWidget(group);
    layout->addWidget(AddButtons());
    hotKey_->setFocus();
    CentreOnScreen();
}

InformationOptions OutputMacrosDialog::Options() const {
    return {.HotKey = hotKey_->isChecked(),
            .Name = name_->isChecked(),
            .Window = window_->isChecked(),
            .Text = text_->isChecked(),
            .Schedule = schedule_->isChecked(),
            .Icon = icon_->isChecked()};
}

std::optional<FormDialog::Refusal> OutputMacrosDialog::CheckForm() {
    if (const auto refusal = InformationRefusal(Options())) {
        return Refusal{.Text = std::string(*refusal), .Field = hotKey_->objectName()};
    }
    return std::nullopt;
}

} // namespace orvane
