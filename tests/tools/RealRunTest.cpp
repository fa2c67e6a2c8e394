#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <thread>

// These run the command itself, with fork, exec, signals and resource limits: Linux only, and only
// where Qt builds the command.
#if defined(VARNHOLT_REPORT_COMMAND) && !defined(_WIN32)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnholt::tools::testing {
namespace {

// A report large enough to take a few seconds as PDF: 281,000 keys.
const std::vector<std::string> LargeReport = {"--manufacturer", "KESSLER", "--chambers", "7",
                                              "--master-key",   "1234567", "--masters",  "all",
                                              "--keys",         "all"};

class RealRun : public ::testing::Test {
protected:
    RealRun() {
        database = folder.Path() / "Varnholt.MFG";
        WriteDatabase(database, SampleManufacturers());
        std::filesystem::create_directory(temporaryFolder);
        std::filesystem::create_directory(runtimeFolder);
        std::filesystem::permissions(runtimeFolder, std::filesystem::perms::owner_all);
    }

    // Starts the real command; its standard output goes into `outputPipe` when given.
    pid_t Start(std::vector<std::string> extra, int outputPipe = -1, int readEnd = -1) {
        std::vector<std::string> arguments = {VARNHOLT_REPORT_COMMAND, "--database", database.string()};
        arguments.insert(arguments.end(), LargeReport.begin(), LargeReport.end());
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("TMPDIR", temporaryFolder.c_str(), 1);
            // Else Qt makes its runtime folder in TMPDIR.
            ::setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
            if (outputPipe >= 0) {
                ::dup2(outputPipe, STDOUT_FILENO);
                ::close(outputPipe);
                ::close(readEnd); // else the pipe never breaks
            }
            std::vector<char*> argv;
            for (std::string& argument : arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        return child;
    }

    // Waits until a name that starts with `prefix` turns up in `where`; returns it.
    static std::filesystem::path AwaitEntry(const std::filesystem::path& where, const std::string& prefix) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : std::filesystem::directory_iterator(where))
                if (entry.path().filename().string().rfind(prefix, 0) == 0)
                    return entry.path();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return {};
    }

    static int EndingSignal(pid_t child) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status);
    }

    ScratchFolder folder;
    std::filesystem::path database;
    std::filesystem::path temporaryFolder = folder.Path() / "tmp";
    std::filesystem::path runtimeFolder = folder.Path() / "runtime";
};

TEST_F(RealRun, ASignalRemovesThePartlyWrittenFileAndEndsTheRunByThatSignal) {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = Start({"--output", (folder.Path() / "system.pdf").string()});
        ASSERT_GT(child, 0);
        const std::filesystem::path partial = AwaitEntry(folder.Path(), ".vh-");
        ASSERT_FALSE(partial.empty()) << "the temporary file never appeared";
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::kill(child, signalNumber);
        EXPECT_EQ(EndingSignal(child), signalNumber);
        std::vector<std::filesystem::path> files = folder.Files();
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::filesystem::path>{"Varnholt.MFG", "runtime", "tmp"}))
            << "after signal " << signalNumber;
    }
}

TEST_F(RealRun, AClosedPipeLeavesNoCopyOfThePdfAndTheDrawingIsPrivate) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const pid_t child = Start({}, ends[1], ends[0]);
    ::close(ends[1]);
    const std::filesystem::path privateFolder = AwaitEntry(temporaryFolder, "varnholt");
    ASSERT_FALSE(privateFolder.empty());
    EXPECT_EQ(std::filesystem::status(privateFolder).permissions(), std::filesystem::perms::owner_all);

    char start[5] = {};
    ASSERT_EQ(::read(ends[0], start, 4), 4);
    EXPECT_STREQ(start, "%PDF");
    ::close(ends[0]); // the reader has seen enough, like `| head`
    EXPECT_EQ(EndingSignal(child), SIGPIPE);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temporaryFolder))
        ADD_FAILURE() << "left behind: " << entry.path();
}

TEST_F(RealRun, OneRecordOfAHundredMegabyteFileIsReadAloneQuicklyAndInLittleMemory) {
    // Runs the command on a file and returns its peak memory in kilobytes and its time.
    const auto measure = [&](const std::filesystem::path& file, double& seconds) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            const int nowhere = ::open("/dev/null", O_WRONLY);
            ::dup2(nowhere, STDOUT_FILENO);
            ::execl(VARNHOLT_REPORT_COMMAND, VARNHOLT_REPORT_COMMAND, "--database", file.c_str(), "--record",
                    "1", "--chambers", "6", "--master-key", "246135", "--keys", "1", "--format", "csv",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        struct rusage usage {};
        ::wait4(child, &status, 0, &usage);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return usage.ru_maxrss;
    };
    const auto large = folder.Path() / "large.MFG";
    WriteDatabase(large, {Manufacturer("BRANDT", 5, 7, 0, 9, 2, 7)});
    std::filesystem::resize_file(large,
                                 (100'000'000 / manufacturers::RecordSize) * manufacturers::RecordSize);

    double smallSeconds = 0;
    double largeSeconds = 0;
    const long smallMemory = measure(database, smallSeconds);
    const long largeMemory = measure(large, largeSeconds);
    EXPECT_LT(largeMemory - smallMemory, 5 * 1024) << "kilobytes more for the large file";
    EXPECT_LT(largeSeconds, smallSeconds + 0.5);
    std::cout << "[ figures  ] --record 1 of a 100 MB file: " << largeSeconds * 1000 << " ms, " << largeMemory
              << " KB peak (a 7-record file: " << smallSeconds * 1000 << " ms, " << smallMemory << " KB)\n";
}

} // namespace
} // namespace varnholt::tools::testing

#endif
