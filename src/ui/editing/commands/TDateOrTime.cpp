// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/TDateOrTime.h"

#include "core/SettingsBlock.h"
#include "script/ScriptReader.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {

TDateOrTime::TDateOrTime(const CommandDialogServices& services, const DateTimeForm& form,
                         QWidget* parent)
    : CommandDialog(services, form.Time ? QStringLiteral("Times") : QStringLiteral("Dates"),
                    parent),
      time_(form.Time) {
    auto* layout = new QVBoxLayout;
    formats_ = new QTreeWidget(this);
    formats_->setObjectName(QStringLiteral("TheFormat"));
    formats_->setColumnCount(2);
    formats_->setHeaderLabels({QStringLiteral("Format"), QStringLiteral("Example")});
    formats_->setRootIsDecorated(false);
    formats_->setAllColumnsShowFocus(true);
    formats_->setAccessibleName(time_ ? QStringLiteral("Time formats")
                                      : QStringLiteral("Date formats"));
    const int count = FormatCount(time_);
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        formats_->addTopLevelItem(
            new QTreeWidgetItem({Latin(time_ ? TimeFormatNames[index] : DateFormatNames[index]),
                                 Latin(time_ ? TimeExamples[index] : DateExamples[index])}));
    }
    formats_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    formats_->setMinimumSize(formats_->fontMetrics().averageCharWidth() * 44,
                             formats_->fontMetrics().height() * 14);
    auto* title =
        Label(time_ ? QStringLiteral("&Select Time Format") : QStringLiteral("&Select Date Format"),
              formats_);
    layout->addWidget(title);
    layout->addWidget(formats_);
    suppress_ = new QCheckBox(QStringLiteral("Do not show leading &zeros"), this);
    suppress_->setObjectName(QStringLiteral("Suppress"));
    layout->addWidget(suppress_);

    auto* dateRow = new QHBoxLayout;
    days_ = Edit("Days", 3, QStringLiteral("Days"));
    days_->setFixedWidth(days_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    direction_ = new QButtonGroup(this);
    dateRow->addWidget(Label(QStringLiteral("Set &date"), days_));
    dateRow->addWidget(days_);
    dateRow->addWidget(new QLabel(QStringLiteral("days into"), this));
    dateRow->addWidget(Radio(direction_, 1, "Future", QStringLiteral("&future")));
    dateRow->addWidget(Radio(direction_, 0, "Past", QStringLiteral("&past")));
    dateRow->addStretch(1);
    auto* dateControls = new QWidget(this);
    dateControls->setLayout(dateRow);
    dateControls->setVisible(!time_);
    layout->addWidget(dateControls);

    formats_->setCurrentItem(formats_->topLevelItem(std::clamp(form.FormatIndex, 1, count) - 1));
    suppress_->setChecked(form.Suppress);
    days_->setText(BoxText(form.Days));
    CheckButton(direction_, form.Future ? 1 : 0);
    connect(formats_, &QTreeWidget::itemDoubleClicked, this, &FormDialog::OkClick);
    Finish(layout, time_ ? "Time Format" : "Date Format");
    formats_->setFocus();
}

DateTimeForm TDateOrTime::Form() const {
    DateTimeForm form;
    form.Time = time_;
    form.FormatIndex = formats_->indexOfTopLevelItem(formats_->currentItem()) + 1;
    form.Suppress = suppress_->isChecked();
    form.Days = time_ ? "0" : FormText(days_);
    form.Future = direction_->checkedId() == 1;
    return form;
}

void TDateOrTime::Commit() {
    CommandDialog::Commit();
    if (Services().Settings != nullptr) {
        RememberFormat(Form(), *Services().Settings);
    }
}

} // namespace orvane
