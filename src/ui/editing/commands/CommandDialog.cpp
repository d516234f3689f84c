// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/CommandDialog.h"

#include "ui/HelpCenter.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

const SystemPathChecks& SystemPaths() {
    static const SystemPathChecks paths;
    return paths;
}

constexpr std::string_view NotOneCommandText =
    "These values cannot be written as one command.  Please correct.";

} // namespace

void CheckButton(QButtonGroup* group, int id) {
    QAbstractButton* button = group->button(id);
    if (button == nullptr && !group->buttons().isEmpty()) {
        button = group->buttons().front();
    }
    if (button != nullptr) {
        button->setChecked(true);
    }
}

QString BoxText(std::string_view stored) {
    return FieldText(stored);
}

std::string FormText(const QLineEdit* edit) {
    return StoredText(edit->text());
}

CommandDialog::CommandDialog(const CommandDialogServices& services, const QString& caption,
                             QWidget* parent)
    : FormDialog(*services.Messages, parent), services_(services) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    if (services.Ask) {
        SetAsker(services.Ask);
    }
}

const PathChecks& CommandDialog::Paths() const {
    return services_.Paths != nullptr ? *services_.Paths : SystemPaths();
}

std::optional<FormDialog::Refusal> CommandDialog::CheckForm() {
    if (const std::optional<FormRefusal> refusal = CheckValues()) {
        return Refusal{refusal->Caption, refusal->Text, QString::fromStdString(refusal->Field),
                       refusal->Question};
    }
    // A value too long for its field would turn the tag into typed text.
    if (MakesCommand() && !CommandOfTag(BuildTag())) {
        return Refusal{"Error", std::string(NotOneCommandText), QString()};
    }
    return std::nullopt;
}

void CommandDialog::Commit() {
    tag_ = BuildTag();
}

void CommandDialog::Finish(QLayout* content, std::string_view helpKeyword) {
    setProperty(HelpSectionProperty, HelpSectionOfKeyword(helpKeyword));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content);
    std::function<void()> help;
    if (services_.ShowHelp) {
        help = [this, keyword = std::string(helpKeyword)] { services_.ShowHelp(keyword); };
    }
    layout->addWidget(AddButtons(help));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    CentreOnScreen();
}

QLineEdit* CommandDialog::Edit(const char* name, int maxLength, const QString& accessibleName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QRadioButton* CommandDialog::Radio(QButtonGroup* group, int id, const char* name,
                                   const QString& caption) {
    auto* radio = new QRadioButton(caption, this);
    radio->setObjectName(QString::fromLatin1(name));
    group->addButton(radio, id);
    return radio;
}

QLabel* CommandDialog::Label(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    return label;
}

} // namespace orvane
