#include "DatabaseReader.h"

#include "BatchStop.h"

#include "files/FileError.h"
#include "files/FileLock.h"
#include "files/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace varnholt::tools {

namespace {

std::optional<long long> RecordNumber(const std::string& text) {
    if (text.empty() || text.size() > 12 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(text);
}

BatchStop ReadFailure(const std::filesystem::path& file) {
    return BatchStop{
        ExitFileFailure,
        "The manufacturer file \"" + files::Utf8Of(file) + "\" could not be read: " +
            (errno != 0 ? std::generic_category().message(errno) : std::string("it ended early")) + "."};
}

// The file, locked for reading and checked to hold whole records, ready to read any of them.
class OpenDatabase {
public:
    explicit OpenDatabase(const std::filesystem::path& databaseFile) : file(databaseFile) {
        try {
            // Refuses a pipe or device before anything waits on it.
            lock.emplace(file, files::FileLock::Kind::Shared);
        } catch (const files::FileError& failure) {
            throw BatchStop{ExitFileFailure, "The manufacturer file \"" + files::Utf8Of(file) +
                                                 "\" cannot be read: " + failure.Reason() + "."};
        }
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        errno = 0;
        stream.open(file, std::ios::binary);
        if (error || !stream)
            throw ReadFailure(file);
        if (size % manufacturers::RecordSize != 0)
            throw BatchStop{ExitRefused, "The manufacturer file \"" + files::Utf8Of(file) +
                                             "\" is damaged:\nits size of " + std::to_string(size) +
                                             " bytes is not a whole number of " +
                                             std::to_string(manufacturers::RecordSize) + "-byte records."};
        count = size / manufacturers::RecordSize;
    }

    std::uintmax_t Count() const { return count; }

    DatabaseRecord Read(std::uintmax_t index) {
        DatabaseRecord read;
        errno = 0;
        stream.seekg(static_cast<std::streamoff>(index * manufacturers::RecordSize));
        stream.read(reinterpret_cast<char*>(read.bytes.data()), manufacturers::RecordSize);
        if (!stream)
            throw ReadFailure(file);
        read.record = manufacturers::ManufacturerRecord::Decode(read.bytes);
        read.number = static_cast<std::size_t>(index + 1);
        return read;
    }

private:
    std::filesystem::path file;
    std::optional<files::FileLock> lock;
    std::ifstream stream;
    std::uintmax_t count = 0;
};

} // namespace

DatabaseRecord ReadChosenRecord(const std::filesystem::path& file, const std::optional<std::string>& number,
                                const std::optional<std::string>& name) {
    OpenDatabase database(file);
    if (number) {
        const auto wanted = RecordNumber(*number);
        if (!wanted || *wanted < 1 || static_cast<std::uintmax_t>(*wanted) > database.Count())
            throw BatchStop{ExitRefused, "There is no record " + *number +
                                             " in the manufacturer file; it holds " +
                                             std::to_string(database.Count()) + " record" +
                                             (database.Count() == 1 ? "" : "s") + "."};
        return database.Read(static_cast<std::uintmax_t>(*wanted - 1));
    }
    for (std::uintmax_t index = 0; index < database.Count(); ++index) {
        DatabaseRecord candidate = database.Read(index);
        if (candidate.record.Name == name.value_or(""))
            return candidate;
    }
    throw BatchStop{ExitRefused,
                    "There is no manufacturer \"" + name.value_or("") + "\" in the manufacturer file."};
}

std::vector<DatabaseRecord> ReadEveryRecord(const std::filesystem::path& file) {
    OpenDatabase database(file);
    std::vector<DatabaseRecord> records;
    records.reserve(static_cast<std::size_t>(database.Count()));
    for (std::uintmax_t index = 0; index < database.Count(); ++index)
        records.push_back(database.Read(index));
    return records;
}

} // namespace varnholt::tools
