// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TDoSound.h"

#include "core/CodePage.h"
#include "core/MessageSink.h"
#include "core/SettingsBlock.h"
#include "platform/Sound.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

constexpr std::string_view NotPlayedText = "The wave file could not be played.";

} // namespace

TDoSound::TDoSound(const CommandDialogServices& services, const SoundForm& form, Mode mode,
                   QWidget* parent)
    : CommandDialog(services,
                    mode == Mode::Alarm ? QStringLiteral("Scheduler Alarm")
                                        : QStringLiteral("Set Sound"),
                    parent),
      mode_(mode) {
    auto* layout = new QVBoxLayout;
    kind_ = new QButtonGroup(this);
    layout->addWidget(Radio(
        kind_, 0, "Beep", mode == Mode::Alarm ? QStringLiteral("&None") : QStringLiteral("&Beep")));
    layout->addWidget(Radio(kind_, 1, "WaveFile", QStringLiteral("&Wave File")));
    file_ = Edit("ProgPath", 255, QStringLiteral("Wave file"));
    file_->setMinimumWidth(file_->fontMetrics().averageCharWidth() * 48);
    browse_ = new QPushButton(QStringLiteral("B&rowse"), this);
    browse_->setObjectName(QStringLiteral("BrowseButton"));
    browse_->setAutoDefault(false);
    connect(browse_, &QPushButton::clicked, this, &TDoSound::BrowseClick);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(Label(QStringLiteral("Fi&le"), file_));
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse_);
    layout->addLayout(fileRow);
    wait_ = new QCheckBox(QStringLiteral("Wait for wave file to &finish"), this);
    wait_->setObjectName(QStringLiteral("WaitFor"));
    layout->addWidget(wait_);
    test_ = new QPushButton(QStringLiteral("&Test"), this);
    test_->setObjectName(QStringLiteral("Test"));
    test_->setAutoDefault(false);
    test_->setEnabled(services.Sounds != nullptr);
    connect(test_, &QPushButton::clicked, this, &TDoSound::TestClick);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(test_);
    testRow->addStretch(1);
    layout->addLayout(testRow);

    CheckButton(kind_, form.Wave ? 1 : 0);
    file_->setText(BoxText(form.File));
    wait_->setChecked(form.Wait);
    connect(kind_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            EnableFile();
        }
    });
    EnableFile();
    Finish(layout, mode == Mode::Alarm ? "Scheduler Alarm" : "Set Sound");
}

void TDoSound::EnableFile() {
    const bool wave = kind_->checkedId() == 1;
    for (QWidget* widget : {static_cast<QWidget*>(file_), static_cast<QWidget*>(browse_),
                            static_cast<QWidget*>(wait_)}) {
        widget->setEnabled(wave);
    }
    test_->setEnabled(wave && Services().Sounds != nullptr);
}

void TDoSound::BrowseClick() {
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("Select Wave File"), file_->text(),
                                     QStringLiteral("Wave Files (*.wav *.WAV);;All Files (*)"));
    if (!chosen.isEmpty()) {
        file_->setText(chosen);
    }
}

void TDoSound::TestClick() {
    SoundForm form = Form();
    form.Wave = true;
    if (const std::optional<FormRefusal> refusal = Check(form, Paths())) {
        ShowRefusal({refusal->Caption, refusal->Text, QString::fromStdString(refusal->Field)});
        return;
    }
    if (Services().Sounds == nullptr ||
        !Services().Sounds->PlayWave(Windows1252ToUtf8(Trimmed(form.File)))) {
        ShowRefusal({"Error", std::string(NotPlayedText), file_->objectName()});
    }
}

void TDoSound::Commit() {
    CommandDialog::Commit();
    if (mode_ == Mode::Alarm && Services().Settings != nullptr) {
        ApplyAlarm(Form(), *Services().Settings);
        if (Services().SaveSettings) {
            Services().SaveSettings();
        }
    }
}

SoundForm TDoSound::Form() const {
    return SoundForm{kind_->checkedId() == 1, FormText(file_), wait_->isChecked()};
}

} // namespace orvane
