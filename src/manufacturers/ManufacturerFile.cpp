#include "manufacturers/ManufacturerFile.h"

#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerName.h"
#include "manufacturers/RecordValidity.h"
#include "files/FileError.h"
#include "toolkit/ListBox.h"
#include "toolkit/MessageService.h"

#include <algorithm>

namespace varnholt::manufacturers {

namespace {

std::vector<RecordBytes> SplitIntoRecords(const std::vector<std::uint8_t>& bytes) {
    // A size that is not a multiple of the record size leaves a fragment at the end; it is no
    // record and is never read as one.
    std::vector<RecordBytes> records(bytes.size() / RecordSize);
    for (std::size_t index = 0; index < records.size(); ++index) {
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(index * RecordSize), RecordSize,
                    records[index].begin());
    }
    return records;
}

} // namespace

ManufacturerFile::ManufacturerFile(const std::filesystem::path& startDirectory,
                                   toolkit::MessageService& messageService)
    : mfgFile(startDirectory / FileName), messages(messageService),
      ownFileSystem(std::make_unique<files::DiskFileSystem>()), fileSystem(*ownFileSystem) {}

ManufacturerFile::ManufacturerFile(const std::filesystem::path& startDirectory,
                                   toolkit::MessageService& messageService, files::FileSystem& files)
    : mfgFile(startDirectory / FileName), messages(messageService), fileSystem(files) {}

std::vector<RecordBytes> ManufacturerFile::ReadRecords(bool& opened, std::size_t* fragmentSize) {
    auto bytes = fileSystem.ReadFile(mfgFile);
    opened = bytes.has_value();
    if (fragmentSize != nullptr) {
        *fragmentSize = bytes ? bytes->size() % RecordSize : 0;
    }
    return bytes ? SplitIntoRecords(*bytes) : std::vector<RecordBytes>{};
}

void ManufacturerFile::RememberRead(std::size_t number, const RecordBytes& bytes) {
    lastRead = ReadRecord{number, bytes};
}

void ManufacturerFile::FindManufacturerName() {
    bool opened = false;
    std::vector<RecordBytes> records;
    {
        // Not held while the question is open: the other copy may have to wait for an answer.
        auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Shared);
        records = ReadRecords(opened);
    }
    if (!opened) {
        // Creating the file anew is only right when there is none: an existing file that merely
        // cannot be read must not be replaced by an empty one.
        std::error_code error;
        if (std::filesystem::exists(mfgFile, error)) {
            throw files::FileError("open", mfgFile, "the file cannot be read");
        }
        fileSystem.CreateIfMissing(mfgFile);
    }
    NameInDatabase = false;
    OverwriteRecord = false;
    for (std::size_t number = 0; number < records.size(); ++number) {
        CurrentManufacturer = ManufacturerRecord::Decode(records[number]);
        if (SameManufacturerName(MfgName, CurrentManufacturer.Name)) {
            messages.Beep();
            auto answer = messages.Show(toolkit::BoxKind::Warning, messages::OverwriteQuestion,
                                        toolkit::Buttons::YesNo);
            if (answer == toolkit::Answer::Yes) {
                OverwriteRecord = true;
                SelectedRecord = number;
                RememberRead(number, records[number]);
            }
            NameInDatabase = true;
            return;
        }
    }
}

bool ManufacturerFile::SaveManufacturer() {
    // A record the generation cannot use is never written. The one exception is a damaged record
    // marked for deletion in its own place: refusing it would leave no way to get rid of it.
    bool markedInPlace = OverwriteRecord && IsMarkedForDeletion(CurrentManufacturer.Name);
    if (auto impossible = FindImpossibleField(CurrentManufacturer); impossible && !markedInPlace) {
        messages.Beep();
        messages.Show(toolkit::BoxKind::Warning, impossible->message, toolkit::Buttons::Ok);
        return false;
    }
    RecordMoved = false;
    auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Exclusive);
    auto existing = fileSystem.ReadFile(mfgFile);
    if (!existing) {
        throw files::FileError("open", mfgFile, "the file cannot be found or read");
    }
    const std::uint64_t wholeRecords = existing->size() / RecordSize;
    std::uint64_t number = wholeRecords;
    if (OverwriteRecord && lastRead && lastRead->number == SelectedRecord) {
        // Another copy may have purged or rewritten the file since the record was read; writing
        // at the old position would destroy whichever manufacturer now stands there.
        const auto at = existing->begin() + static_cast<std::ptrdiff_t>(SelectedRecord * RecordSize);
        if (SelectedRecord >= wholeRecords ||
            !std::equal(lastRead->bytes.begin(), lastRead->bytes.end(), at)) {
            // What was read stays the measure: a second OK without a new lookup is refused too.
            RecordMoved = true;
            messages.Beep();
            messages.Show(toolkit::BoxKind::Warning, messages::RecordMoved, toolkit::Buttons::Ok);
            return false;
        }
    }
    if (OverwriteRecord) {
        if (SelectedRecord >= wholeRecords) {
            throw files::FileError(
                "write", mfgFile, "record " + std::to_string(SelectedRecord) + " is no longer in the file");
        }
        number = SelectedRecord;
    }
    auto bytes = CurrentManufacturer.Encode();
    fileSystem.WriteAt(mfgFile, number * RecordSize, bytes);
    if (OverwriteRecord) {
        RememberRead(number, bytes);
    }
    return true;
}

bool ManufacturerFile::ListManufacturers(toolkit::ListBox& LB1) {
    ListHasRecords = false;
    bool opened = false;
    std::size_t fragmentSize = 0;
    std::vector<RecordBytes> records;
    {
        auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Shared);
        records = ReadRecords(opened, &fragmentSize);
    }
    if (!opened) {
        messages.Show(toolkit::BoxKind::Error, messages::FileNotLocated, toolkit::Buttons::Ok);
        return false;
    }
    if (fragmentSize != 0) {
        messages.Beep();
        messages.Show(toolkit::BoxKind::Warning,
                      "The Manufacturer's file ends in " + std::to_string(fragmentSize) +
                          " bytes that are not a whole record.\nThey are left out of the list.",
                      toolkit::Buttons::Ok);
    }
    // The list takes every name at once: a window redrawn for each name added takes minutes for
    // a large file.
    std::vector<std::string> names = LB1.Items();
    names.reserve(names.size() + records.size());
    for (const auto& bytes : records) {
        CurrentManufacturer = ManufacturerRecord::Decode(bytes);
        names.push_back(CurrentManufacturer.Name);
        ListHasRecords = true;
    }
    LB1.SetItems(std::move(names));
    return true;
}

bool ManufacturerFile::LoadManufacturer() {
    bool opened = false;
    std::vector<RecordBytes> records;
    {
        auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Shared);
        records = ReadRecords(opened);
    }
    if (!opened) {
        messages.Show(toolkit::BoxKind::Information, messages::FileNotLocated, toolkit::Buttons::Ok);
        return false;
    }
    if (SelectedRecord >= records.size()) {
        throw files::FileError("read", mfgFile,
                                        "record " + std::to_string(SelectedRecord) + " is not in the file");
    }
    const auto& bytes = records[SelectedRecord];
    RememberRead(SelectedRecord, bytes);
    CurrentManufacturer = ManufacturerRecord::Decode(bytes);
    ZeroIsTen = CurrentManufacturer.DeepestCut == 10;
    IsICore = CurrentManufacturer.IsICore;

    if (auto damage = DescribeRecordDamage(bytes, SelectedRecord + 1)) {
        messages.Beep();
        messages.Show(toolkit::BoxKind::Error, *damage, toolkit::Buttons::Ok);
        return false;
    }
    return true;
}

void ManufacturerFile::OfferDeletion() {
    if (!IsMarkedForDeletion(DisplayedManufacturer.Name)) {
        return;
    }
    auto answer =
        messages.Show(toolkit::BoxKind::Confirmation, messages::DeletionQuestion, toolkit::Buttons::YesNo);
    if (answer == toolkit::Answer::Yes) {
        PurgeDeletedManufacturers();
    }
}

void ManufacturerFile::PurgeDeletedManufacturers() {
    bool opened = false;
    // Held until the new file is in place: a record appended meanwhile would be lost with the old.
    auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Exclusive);
    auto records = ReadRecords(opened);
    if (!opened) {
        throw files::FileError("open", mfgFile, "the file cannot be found or read");
    }
    std::vector<std::uint8_t> kept;
    for (const auto& bytes : records) {
        CurrentManufacturer = ManufacturerRecord::Decode(bytes);
        if (!IsMarkedForDeletion(CurrentManufacturer.Name)) {
            // The bytes as they were: a purge changes nothing in the records it keeps.
            kept.insert(kept.end(), bytes.begin(), bytes.end());
        }
    }
    // The new file goes beside the old one (beside the real file when the database is a link)
    // and takes its place and mode in one rename, so that at any moment either the old or the new
    // database is there, whole.
    const auto temporary = fileSystem.CreateTemporaryBeside(mfgFile);
    try {
        fileSystem.WriteNewFile(temporary, kept);
        fileSystem.FlushToDisk(temporary);
        fileSystem.ReplaceFile(temporary, mfgFile);
    } catch (const files::FileError&) {
        fileSystem.RemoveQuietly(temporary);
        throw;
    }
}

std::vector<ManufacturerRecord> ManufacturerFile::ReadAllRecords() {
    bool opened = false;
    auto lock = fileSystem.Lock(mfgFile, files::FileLock::Kind::Shared);
    std::vector<ManufacturerRecord> result;
    for (const auto& bytes : ReadRecords(opened)) {
        result.push_back(ManufacturerRecord::Decode(bytes));
    }
    return result;
}

} // namespace varnholt::manufacturers