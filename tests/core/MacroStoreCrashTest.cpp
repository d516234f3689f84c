// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroStore.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A writer killed at any moment must leave the macro file as it was before the operation in
// flight or as that operation left it, never a mixture: deleting rewrites the whole file, and a
// rewrite is a temporary file renamed over the original.
//
// The child walks a fixed list of operations (delete a macro and reload, append a macro, toggle
// a macro's active byte), writing the number of each operation to a pipe before starting it.
// The parent kills it at a random moment, reads the last number announced, and replays the list
// up to there to know both acceptable files. Overwriting one record in place is left out: it is
// a single write the kernel may cut short when the process is killed.

struct Entry {
    int Id; // < 0: system macro kind -Id; otherwise a user macro
    bool Active;
};

enum class OpKind { Delete, Append, Toggle };
struct Op {
    OpKind Kind;
    int Index; // record number for Delete and Toggle
    int Id;    // new macro for Append
};

MacroRecord RecordOf(const Entry& e) {
    MacroRecord r;
    if (e.Id < 0) {
        const SystemMacroKind& kind = SystemMacroKinds[-e.Id - 1];
        r.Nickname.Assign(kind.Nickname);
        r.ScopeTarget.Assign(std::string(1, kind.Digit));
        r.HotKey = kind.DefaultHotKey;
        r.Scope = ScopeSystem;
    } else {
        r.Nickname.Assign("macro " + std::to_string(e.Id));
        r.HotKey = static_cast<std::uint16_t>(e.Id % 700);
        r.Scope = ScopeGlobal;
        r.SetText(std::string(static_cast<std::size_t>(e.Id % 4000), 'x'));
    }
    r.Active = e.Active ? 1 : 0;
    r.LastModified = 45000.5;
    return r;
}

std::string Bytes(const std::vector<Entry>& state) {
    std::string bytes;
    for (const Entry& e : state) {
        const MacroRecordBytes b = RecordOf(e).ToBytes();
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return bytes;
}

std::vector<Entry> InitialState() {
    return {{-1, true}, {-2, true}, {-3, true}, {-4, true},
            {0, true},  {1, true},  {2, false}, {3, true}};
}

void Apply(const Op& op, std::vector<Entry>& state) {
    switch (op.Kind) {
    case OpKind::Delete:
        state.erase(state.begin() + (op.Index - 1));
        break;
    case OpKind::Append:
        state.push_back({op.Id, true});
        break;
    case OpKind::Toggle:
        state[static_cast<std::size_t>(op.Index - 1)].Active =
            !state[static_cast<std::size_t>(op.Index - 1)].Active;
        break;
    }
}

// Never touches the system macros (records 1..4), so a reload never appends them again.
std::vector<Op> MakeOps(std::size_t count, std::mt19937& rng) {
    std::vector<Op> ops;
    std::vector<Entry> state = InitialState();
    int nextId = 100;
    while (ops.size() < count) {
        const int users = static_cast<int>(state.size()) - 4;
        const unsigned pick = rng() % 3;
        Op op{OpKind::Append, 0, 0};
        if (pick == 0 && users > 1) {
            op = {OpKind::Delete, 5 + static_cast<int>(rng() % static_cast<unsigned>(users)), 0};
        } else if (pick == 1 && users > 0) {
            op = {OpKind::Toggle, 5 + static_cast<int>(rng() % static_cast<unsigned>(users)), 0};
        } else if (users < 12) {
            op = {OpKind::Append, 0, nextId++};
        } else {
            continue;
        }
        Apply(op, state);
        ops.push_back(op);
    }
    return ops;
}

std::vector<Entry> StateAfter(const std::vector<Op>& ops, std::size_t done) {
    std::vector<Entry> state = InitialState();
    for (std::size_t k = 0; k < done && k < ops.size(); ++k) {
        Apply(ops[k], state);
    }
    return state;
}

[[noreturn]] void RunChild(const fs::path& file, const std::vector<Op>& ops, int announce) {
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store(hook, messages);
    store.LoadMacroFile(file);
    for (std::uint32_t k = 0; k < ops.size(); ++k) {
        if (::write(announce, &k, sizeof k) != sizeof k) {
            ::_exit(2);
        }
        const Op& op = ops[k];
        switch (op.Kind) {
        case OpKind::Delete:
            store.DeleteMacro(op.Index);
            store.ReloadMacroFile();
            break;
        case OpKind::Append:
            store.AppendMacro(RecordOf({op.Id, true}));
            break;
        case OpKind::Toggle:
            store.ActivateMacro(op.Index, store.Table().Active(op.Index) == 0);
            break;
        }
        hook.Clear();
    }
    const std::uint32_t finished = 0xFFFFFFFF;
    [[maybe_unused]] const auto n = ::write(announce, &finished, sizeof finished);
    ::_exit(0);
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(MacroStoreCrashTest, AKilledWriterLeavesTheStateBeforeOrAfterItsOperation) {
    const fs::path folder =
        fs::temp_directory_path() / ("orvane-crash-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "ORVAN.ORV";

    std::mt19937 rng(20240611);
    const std::vector<Op> ops = MakeOps(400, rng);
    const std::string initial = Bytes(InitialState());
    int killedMidway = 0;

    for (int iteration = 0; iteration < 200; ++iteration) {
        SCOPED_TRACE(iteration);
        for (const auto& entry : fs::directory_iterator(folder)) {
            fs::remove(entry.path()); // temporaries of killed rewrites
        }
        std::ofstream(file, std::ios::binary) << initial;

        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            RunChild(file, ops, fds[1]);
        }
        ::close(fds[1]);
        // Microseconds to a few milliseconds, spread over orders of magnitude.
        const unsigned delay = 1u << (rng() % 13);
        ::usleep(delay + rng() % delay);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        std::int64_t last = -1; // no operation announced
        bool finished = false;
        std::uint32_t k = 0;
        while (::read(fds[0], &k, sizeof k) == sizeof k) {
            if (k == 0xFFFFFFFF) {
                finished = true;
            } else {
                last = k;
            }
        }
        ::close(fds[0]);

        const std::string now = Read(file);
        if (finished) {
            EXPECT_EQ(now, Bytes(StateAfter(ops, ops.size())));
        } else if (last < 0) {
            EXPECT_EQ(now, initial);
        } else {
            ++killedMidway;
            const auto n = static_cast<std::size_t>(last);
            const bool before = now == Bytes(StateAfter(ops, n));
            const bool after = now == Bytes(StateAfter(ops, n + 1));
            EXPECT_TRUE(before || after)
                << "killed during operation " << n << ", file of " << now.size() << " bytes";
        }
    }
    RecordProperty("KilledDuringOperations", killedMidway);
    fs::remove_all(folder);
}

} // namespace
} // namespace orvane
