#include "RobustnessSupport.h"

#include "FoeLookup.h"
#include "Recompute.h"
#include "SheetRules.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

FileState stateOf(const TestBestiary& bestiary)
{
    FileState state;
    state.folder = bestiary.folderEntries();
    const std::filesystem::file_status status = std::filesystem::symlink_status(bestiary.file());
    switch (status.type()) {
    case std::filesystem::file_type::regular: {
        const std::string bytes = bestiary.bytes();
        state.kind = "file";
        state.size = bytes.size();
        state.digest = std::hash<std::string>()(bytes);
        break;
    }
    case std::filesystem::file_type::symlink:
        state.kind = "link to " + std::filesystem::read_symlink(bestiary.file()).string();
        break;
    default:
        state.kind = "of type " + std::to_string(static_cast<int>(status.type()));
    }
    return state;
}

void PrintTo(const FileState& state, std::ostream* os)
{
    *os << state.kind << ", " << state.size << " bytes, beside:";
    for (const std::string& entry : state.folder)
        *os << ' ' << entry;
}

std::string foesTable(const std::string& rows)
{
    return "CREATE TABLE Foes (Name TEXT, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);"
           + rows;
}

FoeSheet recomputeAs(FoeDatabase& bestiary, FoeSheet sheet, const std::string& foeName, ThreatCategory category)
{
    sheet.foeName = foeName;
    const FoeSheet before = sheet;
    recomputeSheet(sheet, category, lookUpFoe(bestiary, sheet.foeName, category));
    EXPECT_EQ(brokenSheetRule(before, sheet), "") << "foe box: " << foeName.substr(0, 40);
    return sheet;
}

FoeSheet recompute(FoeDatabase& bestiary, const std::string& foeName, ThreatCategory category,
                   const std::string& tally)
{
    FoeSheet sheet;
    sheet.tally.fill(tally);
    sheet.foe.fill("Text1");  // the window's boxes before the first pass
    sheet.mix = sheet.move = "Text1";
    return recomputeAs(bestiary, sheet, foeName, category);
}

namespace {

std::uintmax_t temporaryBytesHeldBy(pid_t child)
{
    std::uintmax_t bytes = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(child) + "/fd", error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        struct stat file {};
        if (!error && target.ends_with(" (deleted)") && stat(entry.path().c_str(), &file) == 0 && S_ISREG(file.st_mode))
            bytes += static_cast<std::uintmax_t>(file.st_blocks) * 512;
    }
    return bytes;
}

}  // namespace

ChildRun runInChild(const std::function<std::string()>& work, std::chrono::seconds limit)
{
    int ends[2];
    if (pipe(ends) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        std::string report;
        try {
            report = work();
        } catch (const std::exception& error) {
            report = std::string("threw: ") + error.what();
        }
        for (std::size_t sent = 0; sent < report.size();) {
            const ssize_t part = write(ends[1], report.data() + sent, report.size() - sent);
            if (part <= 0)
                _exit(1);
            sent += static_cast<std::size_t>(part);
        }
        _exit(0);
    }
    close(ends[1]);

    ChildRun run;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        run.peakTemporaryBytes = std::max(run.peakTemporaryBytes, temporaryBytesHeldBy(child));
        pollfd ready{ends[0], POLLIN, 0};
        if (poll(&ready, 1, 2) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(ends[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        ended = got <= 0;
        if (got > 0)
            run.report.append(buffer, static_cast<std::size_t>(got));
    }
    close(ends[0]);
    if (!ended)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.finished = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}
