// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/ClientPings.h"

#include <algorithm>
#include <cstdint>

namespace orvane {
namespace {

// A 32-bit field of a format-32 message, whatever sign extension it went through: server
// times pass 2^31 after 25 days and come back negative.
std::uint32_t Field(long value) {
    return static_cast<std::uint32_t>(value);
}

} // namespace

bool AnswersPing(const PingMessage& message, const SentPing& sent) {
    return message.Window == sent.Root && message.Type == sent.Protocols && message.Format == 32 &&
           Field(message.Data[0]) == Field(static_cast<long>(sent.Ping)) &&
           Field(message.Data[1]) == Field(static_cast<long>(sent.Stamp)) &&
           Field(message.Data[2]) == Field(static_cast<long>(sent.Client));
}

std::vector<PingProgram> ProgramsOfList(const std::vector<unsigned long>& values) {
    std::vector<PingProgram> programs;
    for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
        // Each a 32-bit item, which Xlib widens as it likes.
        const auto client = static_cast<std::uint32_t>(values[i]);
        const auto pid = static_cast<std::int32_t>(values[i + 1]);
        programs.push_back({client, pid});
    }
    return programs;
}

std::vector<long> ListOfPrograms(const std::vector<PingProgram>& programs) {
    std::vector<long> values;
    for (const PingProgram& program : programs) {
        values.push_back(static_cast<long>(program.Client));
        values.push_back(program.Pid);
    }
    return values;
}

std::vector<PingProgram> WithSilentProgram(const std::vector<PingProgram>& known,
                                           const PingProgram& silent,
                                           const std::function<bool(long pid)>& processGone) {
    std::vector<PingProgram> kept;
    for (const PingProgram& program : known) {
        if (program != silent && !(program.Pid > 0 && processGone(program.Pid))) {
            kept.push_back(program);
        }
    }
    kept.push_back(silent);
    if (kept.size() > SilentProgramsKept) {
        kept.erase(kept.begin(), kept.end() - static_cast<std::ptrdiff_t>(SilentProgramsKept));
    }
    return kept;
}

} // namespace orvane
