#include "TemporaryDirectory.h"

#include "files/FileLock.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerName.h"
#include "toolkit/HeadlessMessageService.h"
#include "files/FileError.h"
#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace varnholt::manufacturers {
namespace {

using testing::NamesInFile;
using testing::PlainRecord;
using testing::TemporaryDirectory;

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One copy of the program at work for a few seconds: it adds manufacturers, changes its own
// (the lookup, "overwrite?" Yes, the save), marks some for deletion and purges. It writes down
// what the file must hold of its own afterwards: each surviving name with its last M.A.C.S.
// Returns what went wrong, or "" when nothing did.
std::string Work(const std::filesystem::path& folder, char copy, std::chrono::seconds duration,
                 const std::filesystem::path& expectations) {
    toolkit::HeadlessMessageService messages;
    ManufacturerFile file{folder, messages};
    std::map<std::string, int> mine; // name -> M.A.C.S last saved
    int moved = 0;
    const auto save = [&](const std::string& lookedUp, ManufacturerRecord record) {
        // A record moved by the other copy is refused; the user chooses it again.
        for (int attempt = 0; attempt < 1000; ++attempt) {
            file.MfgName = lookedUp;
            messages.QueueAnswer(toolkit::Answer::Yes);
            file.FindManufacturerName();
            if (messages.PendingAnswers() != 0) {
                throw std::runtime_error("the lookup lost " + lookedUp);
            }
            // The user reads the question; the other copy goes on meanwhile.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            file.CurrentManufacturer = record;
            if (file.SaveManufacturer()) {
                return;
            }
            if (!file.RecordMoved) {
                throw std::runtime_error("the save of " + lookedUp + " was refused");
            }
            ++moved;
            messages.ClearRecord();
        }
        throw std::runtime_error("the save of " + lookedUp + " never got through");
    };
    try {
        const auto end = std::chrono::steady_clock::now() + duration;
        for (int number = 0; std::chrono::steady_clock::now() < end; ++number) {
            const std::string name = std::string(1, copy) + "-" + std::to_string(number);
            file.MfgName = name;
            file.FindManufacturerName();
            file.CurrentManufacturer = PlainRecord(name);
            file.SaveManufacturer();
            mine[name] = 7;
            if (number % 3 == 2) {
                const std::string changed = std::string(1, copy) + "-" + std::to_string(number - 1);
                ManufacturerRecord record = PlainRecord(changed);
                record.MaxAdjacentCut = 3 + number % 7;
                save(changed, record);
                mine[changed] = record.MaxAdjacentCut;
            }
            if (number % 5 == 4) {
                const std::string doomed = std::string(1, copy) + "-" + std::to_string(number - 2);
                save(doomed, PlainRecord(doomed + " delete"));
                mine.erase(doomed);
                file.PurgeDeletedManufacturers();
            }
            messages.ClearRecord();
        }
    } catch (const std::exception& failure) {
        return failure.what();
    }
    std::ofstream out(expectations);
    for (const auto& [name, maxAdjacent] : mine) {
        out << name << ' ' << maxAdjacent << '\n';
    }
    out << "moved " << moved << '\n';
    return out ? "" : "the expectations could not be written";
}

TEST(SharedDatabaseTest, TwoCopiesSavingOverwritingAndPurgingLoseNothing) {
    TemporaryDirectory directory;
    { std::ofstream(directory.path / ManufacturerFile::FileName); }
    const auto work = [&directory](char copy) {
        const std::string problem = Work(directory.path, copy, std::chrono::seconds(4),
                                         directory.path / (std::string(1, copy) + ".expected"));
        if (!problem.empty()) {
            std::ofstream(directory.path / (std::string(1, copy) + ".problem")) << problem;
        }
        return problem.empty();
    };
#ifdef _WIN32
    // Windows locks two handles apart as it does two processes; threads save starting a copy.
    std::vector<std::thread> copies;
    for (char copy : {'A', 'B'}) {
        copies.emplace_back([&work, copy] { work(copy); });
    }
    for (std::thread& copy : copies) {
        copy.join();
    }
#else
    std::vector<pid_t> copies;
    for (char copy : {'A', 'B'}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::_exit(work(copy) ? 0 : 1);
        }
        copies.push_back(child);
    }
    for (pid_t child : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
#endif
    for (const char* copy : {"A", "B"}) {
        EXPECT_EQ(ReadText(directory.path / (std::string(copy) + ".problem")), "") << "copy " << copy;
    }

    const auto database = directory.path / ManufacturerFile::FileName;
    ASSERT_EQ(std::filesystem::file_size(database) % RecordSize, 0u) << "a whole file";
    toolkit::HeadlessMessageService messages;
    ManufacturerFile file{directory.path, messages};
    std::map<std::string, int> found;
    int duplicates = 0;
    for (const auto& record : file.ReadAllRecords()) {
        if (IsMarkedForDeletion(record.Name)) {
            continue; // marked last by the other copy after its own purge
        }
        duplicates += found.count(record.Name) != 0 ? 1 : 0;
        found[record.Name] = record.MaxAdjacentCut;
    }
    int expected = 0;
    int lost = 0;
    int wrong = 0;
    int moved = 0;
    for (const char* copy : {"A", "B"}) {
        std::ifstream in(directory.path / (std::string(copy) + ".expected"));
        std::string name;
        int value = 0;
        while (in >> name >> value) {
            if (name == "moved") {
                moved += value;
                continue;
            }
            ++expected;
            const auto at = found.find(name);
            lost += at == found.end() ? 1 : 0;
            wrong += at != found.end() && at->second != value ? 1 : 0;
            if (at != found.end()) {
                found.erase(at);
            }
        }
    }
#ifdef _WIN32
    constexpr int Enough = 50; // each file call goes through Wine's server
#else
    constexpr int Enough = 100;
#endif
    EXPECT_GT(expected, Enough) << "the copies got little done";
    EXPECT_EQ(lost, 0) << "records lost of " << expected;
    EXPECT_EQ(wrong, 0) << "records with another copy's values";
    EXPECT_EQ(duplicates, 0);
    EXPECT_TRUE(found.empty()) << found.size() << " records nobody kept, e.g. " << found.begin()->first;
    std::cout << "[ figures  ] " << expected << " records kept, " << lost << " lost, " << moved
              << " saves refused because the other copy had moved the record\n";
}

TEST(SharedDatabaseTest, AFileHeldTooLongByTheOtherCopyIsNamedInAClearMessage) {
    TemporaryDirectory directory;
    const auto database = directory.path / ManufacturerFile::FileName;
    { std::ofstream(database) << std::string(RecordSize, '\0'); }
    files::FileLock other(database, files::FileLock::Kind::Exclusive);
    const auto start = std::chrono::steady_clock::now();
    try {
        files::FileLock mine(database, files::FileLock::Kind::Shared, std::chrono::milliseconds(200));
        ADD_FAILURE() << "two copies held the database at once";
    } catch (const files::FileError& busy) {
        EXPECT_EQ(std::string(busy.what()), "Cannot use the file \"" + files::Utf8Of(database) +
                                                "\": another copy of the program is working on it; please "
                                                "try again.");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)) << "it waited first";
}

} // namespace
} // namespace varnholt::manufacturers
