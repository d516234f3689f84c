// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalMoment.h"
#include "core/MacroRecord.h"
#include "library/SetSchedule.h"
#include "ui/FormDialog.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace orvane {

class MessageSink;

// "Set Schedule" (TDoSchedule): the kind of schedule, one panel per kind. "&Update" checks the
// chosen kind's fields; a refusal is shown ("Error") with the focus on the field and the dialog
// stays open. On success the record holds the new schedule and the dialog is accepted.
class SetScheduleDialog : public FormDialog {
    Q_OBJECT
public:
    // `today` decides whether a date has elapsed; `messages` must outlive the dialog.
    SetScheduleDialog(const MacroRecord& record, LocalMoment today, MessageSink& messages,
                      QWidget* parent = nullptr);

    // The record with its schedule as last stored by "&Update".
    const MacroRecord& Record() const { return record_; }
    SetScheduleForm Form() const;

    QRadioButton* KindButton(SchedKind kind) const;
    QStackedWidget* Panels() const { return panels_; }
    QLineEdit* TimeEdit(SchedKind kind) const; // Once, Daily, Weekly, Monthly
    QSpinBox* OnceDay() const { return onceDay_; }
    QComboBox* OnceMonth() const { return onceMonth_; }
    QSpinBox* OnceYear() const { return onceYear_; }
    QSpinBox* HourlyMinutes() const { return hourlyMinutes_; }
    QCheckBox* DayBox(int mondayFirst) const {
        return days_[static_cast<std::size_t>(mondayFirst)];
    }
    QComboBox* WeekdayList() const { return weekday_; }
    QSpinBox* MonthlyDay() const { return monthlyDay_; }
    QSpinBox* EveryMinutes() const { return everyMinutes_; }
    QPushButton* UpdateButton() const { return OkButton(); }

protected:
    std::optional<Refusal> CheckForm() override;
    void Commit() override;

private:
    MacroRecord record_;
    LocalMoment today_;
    QButtonGroup* kinds_ = nullptr;
    QStackedWidget* panels_ = nullptr;
    std::array<QLineEdit*, 7> times_{};
    QSpinBox* onceDay_ = nullptr;
    QComboBox* onceMonth_ = nullptr;
    QSpinBox* onceYear_ = nullptr;
    QSpinBox* hourlyMinutes_ = nullptr;
    std::array<QCheckBox*, 7> days_{};
    QComboBox* weekday_ = nullptr;
    QSpinBox* monthlyDay_ = nullptr;
    QSpinBox* everyMinutes_ = nullptr;
};

// "Scheduler Frequency": how many seconds lie between the scheduler's checks (1 to 60).
class TimerIntervalDialog : public FormDialog {
    Q_OBJECT
public:
    TimerIntervalDialog(std::uint16_t seconds, MessageSink& messages, QWidget* parent = nullptr);

    std::uint16_t Seconds() const { return seconds_; }
    QLineEdit* SecondsEdit() const { return edit_; }

protected:
    std::optional<Refusal> CheckForm() override;
    void Commit() override;

private:
    QLineEdit* edit_ = nullptr;
    std::uint16_t seconds_;
};

} // namespace orvane
