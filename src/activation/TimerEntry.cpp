// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/TimerEntry.h"

#include "core/MacroRecord.h"

#include <algorithm>

namespace orvane {
namespace {

// A machine asleep for longer than this finds every daily, weekly and monthly schedule crossed
// within it anyway (a monthly day 31 recurs within 62 days).
constexpr std::int64_t LookBackDays = 400;

// Is the entry scheduled on this day (daily, weekly, monthly kinds)?
bool ScheduledOn(const TimerEntry& entry, LocalMoment dayStart) {
    switch (entry.Kind) {
    case SchedKind::Daily: {
        // Days are Monday first; Weekday() is 1 for Sunday.
        const int mondayFirst = (dayStart.Weekday() + 5) % 7;
        return entry.Days[static_cast<std::size_t>(mondayFirst)] != 0;
    }
    case SchedKind::Weekly:
        return dayStart.Weekday() == entry.Weekday;
    case SchedKind::Monthly:
        return dayStart.Day() == entry.Day;
    default:
        return false;
    }
}

} // namespace

TimerEntry TimerEntry::From(int macro, const MacroRecord& record, LocalMoment now) {
    TimerEntry entry;
    entry.Macro = macro;
    entry.Kind = static_cast<SchedKind>(record.SchedKind);
    entry.Days = record.SchedDays;
    entry.Month = record.SchedMonth;
    entry.Day = record.SchedDay;
    entry.PastHour = record.SchedPastHour;
    entry.Interval = record.SchedInterval;
    entry.Weekday = record.SchedWeekday;
    entry.Year = record.SchedYear;
    entry.TimeOfDay = ScheduleTimeOfDay(record.SchedHour, record.SchedMinute, record.SchedPM == 1);
    entry.LastRun = now;
    return entry;
}

std::optional<LocalMoment> TimerEntry::LatestMoment(LocalMoment notBefore, LocalMoment now) const {
    const auto within = [&](LocalMoment moment) -> std::optional<LocalMoment> {
        if (moment > notBefore && moment <= now) {
            return moment;
        }
        return std::nullopt;
    };
    switch (Kind) {
    case SchedKind::Once: {
        if (Month < 1 || Month > 12 || Day < 1 || Day > LocalMoment::DaysInMonth(Year, Month)) {
            return std::nullopt;
        }
        return within(LocalMoment(LocalMoment::From(Year, Month, Day).Ms() + TimeOfDay));
    }
    case SchedKind::Hourly: {
        // Minutes past the hour beyond 59 (a damaged record) never come round.
        if (PastHour > 59) {
            return std::nullopt;
        }
        const std::int64_t offset = PastHour * LocalMoment::MsPerMinute;
        std::int64_t hourStart = now.Ms() - now.Ms() % LocalMoment::MsPerHour;
        if (now.Ms() % LocalMoment::MsPerHour < 0) {
            hourStart -= LocalMoment::MsPerHour;
        }
        LocalMoment moment(hourStart + offset);
        if (moment > now) {
            moment = LocalMoment(moment.Ms() - LocalMoment::MsPerHour);
        }
        return within(moment);
    }
    case SchedKind::Daily:
    case SchedKind::Weekly:
    case SchedKind::Monthly: {
        const std::int64_t today = now.DayNumber();
        const std::int64_t first = std::max(today - LookBackDays, notBefore.DayNumber());
        for (std::int64_t day = today; day >= first; --day) {
            const LocalMoment start = LocalMoment::StartOfDay(day);
            if (!ScheduledOn(*this, start)) {
                continue;
            }
            const LocalMoment moment(start.Ms() + TimeOfDay);
            if (moment > now) {
                continue;
            }
            return within(moment);
        }
        return std::nullopt;
    }
    case SchedKind::AtStartup:
    case SchedKind::EveryMinutes:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace orvane
