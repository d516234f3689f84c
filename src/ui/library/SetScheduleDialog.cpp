// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/SetScheduleDialog.h"

#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr std::array<const char*, 7> KindCaptions = {"&At Startup", "&Once",    "&Hourly", "&Daily",
                                                     "&Weekly",     "&Monthly", "O&ther"};
// The order the buttons are listed in.
constexpr std::array<SchedKind, 7> KindOrder = {
    SchedKind::Once,    SchedKind::Hourly,       SchedKind::Daily,    SchedKind::Weekly,
    SchedKind::Monthly, SchedKind::EveryMinutes, SchedKind::AtStartup};

// Monday first, as the record keeps them; the boxes are shown Sunday first.
constexpr std::array<const char*, 7> DayCaptions = {"&Mon", "&Tue", "&Wed", "Th&u",
                                                    "&Fri", "&Sat", "Su&n"};

int Index(SchedKind kind) {
    return static_cast<int>(kind);
}

QSpinBox* NumberField(int maximum, int width = 3) {
    auto* spin = new QSpinBox;
    spin->setRange(0, maximum);
    spin->setMinimumWidth(
        spin->fontMetrics().horizontalAdvance(QString(width + 1, QLatin1Char('9'))) + 40);
    return spin;
}

QLineEdit* TimeField(const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setMaxLength(7);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00:00MM")) + 16);
    edit->setToolTip(QStringLiteral("hh:mmAM or hh:mmPM (13:30 is read as 01:30PM)"));
    return edit;
}

QLabel* Text(const char* text) {
    return new QLabel(QString::fromLatin1(text));
}

// One panel: its rows of widgets, each row left-aligned.
QWidget* Panel(std::initializer_list<std::initializer_list<QWidget*>> rows) {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 8, 8, 8);
    for (const auto& row : rows) {
        auto* line = new QHBoxLayout;
        for (QWidget* widget : row) {
            line->addWidget(widget);
        }
        line->addStretch(1);
        layout->addLayout(line);
    }
    layout->addStretch(1);
    return panel;
}

} // namespace

SetScheduleDialog::SetScheduleDialog(const MacroRecord& record, LocalMoment today,
                                     MessageSink& messages, QWidget* parent)
    : FormDialog(messages, parent), record_(record), today_(today) {
    setWindowTitle(QStringLiteral("Set Schedule"));
    const SetScheduleForm form = SetScheduleFormFrom(record);

    auto* runBox = new QGroupBox(QStringLiteral("Run Macro"));
    auto* runLayout = new QVBoxLayout(runBox);
    kinds_ = new QButtonGroup(this);
    for (const SchedKind kind : KindOrder) {
        auto* button = new QRadioButton(
            QString::fromLatin1(KindCaptions[static_cast<std::size_t>(Index(kind))]));
        kinds_->addButton(button, Index(kind));
        runLayout->addWidget(button);
    }
    runLayout->addStretch(1);

    panels_ = new QStackedWidget;
    for (const SchedKind kind :
         {SchedKind::Once, SchedKind::Daily, SchedKind::Weekly, SchedKind::Monthly}) {
        const QString text = Latin(kind == SchedKind::Once     ? form.OnceTime
                                   : kind == SchedKind::Daily  ? form.DailyTime
                                   : kind == SchedKind::Weekly ? form.WeeklyTime
                                                               : form.MonthlyTime);
        times_[static_cast<std::size_t>(Index(kind))] = TimeField(text);
    }
    onceDay_ = NumberField(99, 2);
    onceDay_->setValue(std::stoi("0" + form.OnceDay));
    onceMonth_ = new QComboBox;
    for (const std::string_view name : MonthNames) {
        onceMonth_->addItem(Latin(name));
    }
    onceMonth_->setCurrentIndex(form.OnceMonth - 1);
    onceYear_ = NumberField(9999, 4);
    onceYear_->setValue(std::stoi("0" + form.OnceYear));
    hourlyMinutes_ = NumberField(99, 2);
    hourlyMinutes_->setValue(std::stoi("0" + form.HourlyMinutes));
    for (std::size_t i = 0; i < days_.size(); ++i) {
        days_[i] = new QCheckBox(QString::fromLatin1(DayCaptions[i]));
        days_[i]->setChecked(form.Days[i]);
    }
    weekday_ = new QComboBox;
    for (const std::string_view name : WeekdayNames) {
        weekday_->addItem(Latin(name));
    }
    weekday_->setCurrentIndex(form.Weekday - 1);
    monthlyDay_ = NumberField(99, 2);
    monthlyDay_->setValue(std::stoi("0" + form.MonthlyDay));
    everyMinutes_ = NumberField(9999, 4);
    everyMinutes_->setValue(std::stoi("0" + form.EveryMinutes));

    std::array<QWidget*, 7> pages{};
    pages[static_cast<std::size_t>(Index(SchedKind::AtStartup))] =
        Panel({{Text("The macro runs once, five seconds after Orvane starts.")}});
    pages[static_cast<std::size_t>(Index(SchedKind::Once))] =
        Panel({{Text("Start Macro At"), times_[1]}, {Text("on"), onceDay_, onceMonth_, onceYear_}});
    pages[static_cast<std::size_t>(Index(SchedKind::Hourly))] =
        Panel({{Text("Start Macro At"), hourlyMinutes_, Text("minutes after the hour")}});
    pages[static_cast<std::size_t>(Index(SchedKind::Daily))] =
        Panel({{Text("Start Macro At"), times_[3]},
               {days_[6], days_[0], days_[1], days_[2], days_[3], days_[4], days_[5]}});
    pages[static_cast<std::size_t>(Index(SchedKind::Weekly))] =
        Panel({{Text("Start Macro At"), times_[4]}, {Text("every"), weekday_}});
    pages[static_cast<std::size_t>(Index(SchedKind::Monthly))] =
        Panel({{Text("Start Macro At"), times_[5]},
               {Text("on the"), monthlyDay_, Text("day of the month")}});
    pages[static_cast<std::size_t>(Index(SchedKind::EveryMinutes))] =
        Panel({{Text("Start Macro"), Text("every"), everyMinutes_, Text("minutes")}});
    for (QWidget* page : pages) {
        panels_->addWidget(page);
    }

    connect(kinds_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) {
            panels_->setCurrentIndex(id);
        }
    });
    kinds_->button(Index(form.Kind))->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(runBox);
    auto* panelBox = new QGroupBox;
    auto* panelLayout = new QVBoxLayout(panelBox);
    panelLayout->addWidget(panels_);
    top->addWidget(panelBox, 1);

    onceDay_->setObjectName(QStringLiteral("OnceDay"));
    onceMonth_->setObjectName(QStringLiteral("OnceMonth"));
    onceYear_->setObjectName(QStringLiteral("OnceYear"));
    hourlyMinutes_->setObjectName(QStringLiteral("HourlyMinutes"));
    monthlyDay_->setObjectName(QStringLiteral("MonthlyDay"));
    everyMinutes_->setObjectName(QStringLiteral("EveryMinutes"));
    QDialogButtonBox* buttons = AddButtons({}, QStringLiteral("&Update"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

QRadioButton* SetScheduleDialog::KindButton(SchedKind kind) const {
    return qobject_cast<QRadioButton*>(kinds_->button(Index(kind)));
}

QLineEdit* SetScheduleDialog::TimeEdit(SchedKind kind) const {
    return times_[static_cast<std::size_t>(Index(kind))];
}

SetScheduleForm SetScheduleDialog::Form() const {
    SetScheduleForm form;
    form.Kind = static_cast<SchedKind>(kinds_->checkedId());
    const auto time = [this](SchedKind kind) { return StoredText(TimeEdit(kind)->text()); };
    form.OnceTime = time(SchedKind::Once);
    form.DailyTime = time(SchedKind::Daily);
    form.WeeklyTime = time(SchedKind::Weekly);
    form.MonthlyTime = time(SchedKind::Monthly);
    form.OnceDay = onceDay_->cleanText().toStdString();
    form.OnceMonth = onceMonth_->currentIndex() + 1;
    form.OnceYear = onceYear_->cleanText().toStdString();
    form.HourlyMinutes = hourlyMinutes_->cleanText().toStdString();
    for (std::size_t i = 0; i < days_.size(); ++i) {
        form.Days[i] = days_[i]->isChecked();
    }
    form.Weekday = weekday_->currentIndex() + 1;
    form.MonthlyDay = monthlyDay_->cleanText().toStdString();
    form.EveryMinutes = everyMinutes_->cleanText().toStdString();
    return form;
}

namespace {

QString FieldName(ScheduleField field) {
    switch (field) {
    case ScheduleField::OnceDay:
        return QStringLiteral("OnceDay");
    case ScheduleField::OnceMonth:
        return QStringLiteral("OnceMonth");
    case ScheduleField::OnceYear:
        return QStringLiteral("OnceYear");
    case ScheduleField::HourlyMinutes:
        return QStringLiteral("HourlyMinutes");
    case ScheduleField::MonthlyDay:
        return QStringLiteral("MonthlyDay");
    case ScheduleField::EveryMinutes:
        return QStringLiteral("EveryMinutes");
    }
    return {};
}

} // namespace

std::optional<FormDialog::Refusal> SetScheduleDialog::CheckForm() {
    if (const auto refusal = CheckSchedule(Form(), today_)) {
        return Refusal{"Error", std::string(refusal->Text), FieldName(refusal->Focus)};
    }
    return std::nullopt;
}

void SetScheduleDialog::Commit() {
    ApplySchedule(Form(), record_);
}

TimerIntervalDialog::TimerIntervalDialog(std::uint16_t seconds, MessageSink& messages,
                                         QWidget* parent)
    : FormDialog(messages, parent), seconds_(seconds) {
    setWindowTitle(QStringLiteral("Scheduler Frequency"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    edit_ = new QLineEdit(QString::number(seconds));
    edit_->setObjectName(QStringLiteral("Seconds"));
    edit_->setMaxLength(40);
    auto* label = new QLabel(QStringLiteral("Check &Every"));
    label->setBuddy(edit_);
    row->addWidget(label);
    row->addWidget(edit_);
    row->addWidget(new QLabel(QStringLiteral("seconds")));
    layout->addLayout(row);
    layout->addWidget(AddButtons());
}

std::optional<FormDialog::Refusal> TimerIntervalDialog::CheckForm() {
    if (!ReadTimerInterval(StoredText(edit_->text()))) {
        return Refusal{"Error", std::string(TimerIntervalRangeText), edit_->objectName()};
    }
    return std::nullopt;
}

void TimerIntervalDialog::Commit() {
    seconds_ = ReadTimerInterval(StoredText(edit_->text())).value_or(seconds_);
}

} // namespace orvane
