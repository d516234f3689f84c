// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaylandTargets.h"

#include "ProbeHex.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

namespace orvane::e2e {
namespace fs = std::filesystem;
namespace {

std::chrono::milliseconds Left(const Deadline& deadline) {
    return std::chrono::milliseconds(deadline.RemainingMs());
}

// A file name made of the title's letters and digits.
std::string FileStem(const std::string& title) {
    std::string stem;
    for (unsigned char c : title) {
        stem += std::isalnum(c) ? static_cast<char>(c) : '_';
    }
    return stem;
}

} // namespace

FootCat::FootCat(SwaySession& session, std::string title)
    : session_(&session), title_(std::move(title)),
      file_(session.Folder() / (FileStem(title_) + ".typed")) {
    // `exec` so that stopping foot's process group leaves no shell behind.
    process_ =
        StartLogged({"foot", "--title", title_, "sh", "-c", "exec cat > \"$0\"", file_.string()},
                    session.Env(), session.Folder() / (FileStem(title_) + ".foot.log"));
}

FootCat::~FootCat() {
    session_->SaveScreenshotOfFailure();
    process_->Stop();
}

::testing::AssertionResult FootCat::WaitForReady(std::chrono::milliseconds timeout) {
    Deadline deadline(timeout);
    // The file exists once the shell runs `cat`, so nothing typed can reach the shell instead.
    if (!WaitFor([&] { return fs::exists(file_) || !process_->Running(); }, timeout) ||
        !process_->Running()) {
        return ::testing::AssertionFailure() << "foot \"" << title_ << "\" did not start `cat`";
    }
    return session_->Focus(title_, Left(deadline));
}

std::string FootCat::Text() const {
    std::ifstream in(file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

::testing::AssertionResult FootCat::WaitForText(const std::string& expected,
                                                std::chrono::milliseconds timeout) {
    if (WaitFor([&] { return Text() == expected; }, timeout)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "foot \"" << title_ << "\" wrote " << Printable(Text())
                                         << ", not " << Printable(expected);
}

namespace {

ProbeSite SwaySite(SwaySession& session) {
    ProbeSite site;
    site.env = session.Env();
    site.activate = [&session](Probe& probe, std::chrono::milliseconds timeout) {
        return session.Focus(probe.Title(), timeout);
    };
    site.beforeClose = [&session] { session.SaveScreenshotOfFailure(); };
    site.windowOrigin = [&session](Probe& probe) -> std::optional<std::pair<int, int>> {
        if (const auto window = session.FindWindow(probe.Title())) {
            return std::pair{window->content.x, window->content.y};
        }
        return std::nullopt;
    };
    return site;
}

} // namespace

WaylandProbe::WaylandProbe(SwaySession& session, std::string title,
                           std::vector<std::string> extraArgs)
    : Probe(SwaySite(session), std::move(title), ProbeKind::Qt, std::move(extraArgs)) {}

} // namespace orvane::e2e
