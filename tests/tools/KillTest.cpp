#if defined(ETIKOR_SERIES_TOOL) && defined(ETIKOR_TABLE_TOOL)

// The writing tools killed at random moments: afterwards (once the file has been read again,
// which undoes a cut-off in-place write, through another name where it has one) every file is
// its complete old or its complete new content, with and without other hard links to it.
// ETIKOR_KILL_ROUNDS sets the kills per case.

#include "RunTool.h"
#include "SeriesDefinitionFixture.h"
#include "support/TempDir.h"
#include "tablestore/StoreFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include <sys/wait.h>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::RunTool;
using test::TempDir;
using test::WriteFileBytes;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kFields = "Vonalkod1:s128,Tipus1:l";

// Values 100 characters long, so that a few thousand records take megabytes.
std::string Records(int count, const std::string& prefix) {
    std::string tsv;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        tsv += prefix + std::string(100 - prefix.size() - number.size(), '-') + number + "\t5\n";
    }
    return tsv;
}

std::string Table(const fs::path& path, int count, const std::string& prefix) {
    const test::ToolResult made =
        RunTool(ETIKOR_TABLE_TOOL, {"create", path.string(), kFields}, Records(count, prefix));
    EXPECT_EQ(made.exitCode, 0) << made.err;
    return ReadFileBytes(path);
}

// What a file reads as in the program: read through the table store, which first undoes an
// in-place write that a kill cut off.
std::string ContentAfterKill(const fs::path& path) {
    std::string bytes;
    ReadWholeFile(path.string(), bytes);
    return bytes;
}

struct TKillCase {
    const char* Name;
    // Puts the old file in place and returns the command that overwrites it.
    std::function<std::vector<std::string>(const TempDir&, const fs::path& target)> Prepare;
    const char* Input = nullptr; // standard input file name inside the folder, or none
};

struct TTally {
    int Old = 0, New = 0, Other = 0;
};

TEST(ToolsKilled, EveryFileIsCompleteOldOrCompleteNew) {
    const char* rounds = std::getenv("ETIKOR_KILL_ROUNDS");
    const int kills = rounds ? std::atoi(rounds) : 4;
    TempDir sources;
    const std::string oldTable = Table(sources.file("old.sor"), 1000, "old");
    Table(sources.file("big.sor"), 16000, "new"); // within what a worksheet holds
    WriteFileBytes(sources.file("new.tsv"), Records(120000, "new"));
    const std::string definition = test::Definition(sources, "K\t3\t1\tNEW\nS\t6\t1\t000000\t199999");
    // The old .xls, written by an export of the small table.
    ASSERT_EQ(
        RunTool(ETIKOR_TABLE_TOOL, {"export", sources.file("old.sor"), sources.file("old.xls")}).exitCode, 0);
    const std::string oldXls = ReadFileBytes(sources.file("old.xls"));

    const std::vector<TKillCase> cases = {
        {"create",
         [&](const TempDir&, const fs::path& target) {
             WriteFileBytes(target, oldTable);
             return std::vector<std::string>{"create", target.string(), kFields};
         },
         "new.tsv"},
        {"export",
         [&](const TempDir&, const fs::path& target) {
             WriteFileBytes(target, oldXls);
             return std::vector<std::string>{"export", sources.file("big.sor"), target.string()};
         }},
        {"generate",
         [&](const TempDir&, const fs::path& target) {
             WriteFileBytes(target, oldTable);
             return std::vector<std::string>{"generate", "--definition", definition, "--series",
                                             target.string()};
         }},
    };

    std::mt19937 random(20261210);
    for (const TKillCase& c : cases) {
        const std::string program =
            std::string(c.Name) == "generate" ? ETIKOR_SERIES_TOOL : ETIKOR_TABLE_TOOL;
        const std::string input = c.Input ? sources.file(c.Input) : std::string("/dev/null");
        // One run to the end gives the new content and how long a run takes.
        std::string newContent;
        Clock::duration full{};
        {
            TempDir dir;
            const fs::path target = dir.path() / "target";
            const auto arguments = c.Prepare(dir, target);
            const Clock::time_point start = Clock::now();
            const pid_t child = test::StartTool(program, arguments, input, dir.file("out"), dir.file("err"));
            int status = 0;
            waitpid(child, &status, 0);
            full = Clock::now() - start;
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << c.Name << ": " << ReadFileBytes(dir.file("err"));
            newContent = ReadFileBytes(target);
        }
        for (const bool linked : {false, true}) {
            TTally tally;
            for (int k = 0; k < kills; ++k) {
                TempDir dir;
                const fs::path target = dir.path() / "target";
                const auto arguments = c.Prepare(dir, target);
                const std::string oldContent = ReadFileBytes(target);
                if (linked)
                    fs::create_hard_link(target, dir.path() / "other-name");
                std::uniform_int_distribution<long> delay(
                    0, std::chrono::duration_cast<std::chrono::microseconds>(full).count());
                const pid_t child =
                    test::StartTool(program, arguments, input, dir.file("out"), dir.file("err"));
                std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
                ::kill(child, SIGKILL);
                int status = 0;
                waitpid(child, &status, 0);
                // A hard-linked file is read again through its other name: the rollback copy
                // of a cut-off write is found whichever name the write went through.
                const std::string after = ContentAfterKill(linked ? dir.path() / "other-name" : target);
                if (after == oldContent)
                    ++tally.Old;
                else if (after == newContent)
                    ++tally.New;
                else
                    ++tally.Other;
                if (linked) {
                    EXPECT_EQ(ReadFileBytes(target), after) << c.Name << ": the names parted";
                }
            }
            std::cout << "kills of " << c.Name << (linked ? " (hard-linked)" : "") << ": complete old "
                      << tally.Old << ", complete new " << tally.New << ", other " << tally.Other << "\n";
            EXPECT_EQ(tally.Other, 0) << c.Name << (linked ? " (hard-linked)" : "");
        }
    }
}

// The same writers on a full disk (no file may grow past a limit between the old and the new
// size): each exits 1 and leaves the complete old content at once, and nothing else beside it.
TEST(ToolsOnAFullDisk, LeaveTheOldContentAndNothingElse) {
    TempDir sources;
    const std::string oldTable = Table(sources.file("old.sor"), 1000, "old");
    Table(sources.file("big.sor"), 16000, "new");
    WriteFileBytes(sources.file("new.tsv"), Records(16000, "new"));
    const std::string definition = test::Definition(sources, "K\t3\t1\tNEW\nS\t5\t1\t00000\t19999");
    ASSERT_EQ(
        RunTool(ETIKOR_TABLE_TOOL, {"export", sources.file("old.sor"), sources.file("old.xls")}).exitCode, 0);
    struct TCase {
        const char* Name;
        std::string Program;
        std::vector<std::string> Arguments; // the target is appended or put where "TARGET" is
        std::string Old;
        std::string Input;
    };
    const std::vector<TCase> cases = {
        {"create", ETIKOR_TABLE_TOOL, {"create", "TARGET", kFields}, oldTable, sources.file("new.tsv")},
        {"export",
         ETIKOR_TABLE_TOOL,
         {"export", sources.file("big.sor"), "TARGET"},
         ReadFileBytes(sources.file("old.xls")),
         "/dev/null"},
        {"generate",
         ETIKOR_SERIES_TOOL,
         {"generate", "--definition", definition, "--series", "TARGET"},
         oldTable,
         "/dev/null"},
    };
    for (const TCase& c : cases) {
        for (const bool linked : {false, true}) {
            SCOPED_TRACE(std::string(c.Name) + (linked ? " (hard-linked)" : ""));
            TempDir dir;
            const fs::path target = dir.path() / "target";
            WriteFileBytes(target, c.Old);
            if (linked)
                fs::create_hard_link(target, dir.path() / "other-name");
            std::vector<std::string> arguments = c.Arguments;
            for (std::string& argument : arguments)
                if (argument == "TARGET")
                    argument = target.string();
            TempDir output;
            const pid_t child = test::StartTool(c.Program, arguments, c.Input, output.file("out"),
                                                output.file("err"), static_cast<long>(c.Old.size()) + 200000);
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << ReadFileBytes(output.file("err"));
            EXPECT_EQ(ReadFileBytes(target), c.Old);
            int files = 0;
            for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
                ++files;
            EXPECT_EQ(files, linked ? 2 : 1);
        }
    }
}

} // namespace
} // namespace etikor

#endif
