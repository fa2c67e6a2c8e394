#pragma once

#include "files/FileSystem.h"
#include "manufacturers/ManufacturerRecord.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnholt::toolkit {
class ListBox;
class MessageService;
} // namespace varnholt::toolkit

namespace varnholt::manufacturers {

// The manufacturer database "Varnholt.MFG": a headerless sequence of 88-byte records in the
// directory the program started in, and the record buffers and flags through which the windows
// use it. Every operation opens the file, does its work and lets it go again; nothing is cached.
// Each holds a lock on the file meanwhile (shared to read, alone to write), so that two copies
// of the program in one folder take turns.
//
// File failures after the file was found are thrown as files::FileError, which the
// event dispatcher shows as the standard input/output error; the reaction stops there.
class ManufacturerFile {
public:
    static constexpr const char* FileName = "Varnholt.MFG";

    ManufacturerFile(const std::filesystem::path& startDir, toolkit::MessageService& messages);
    // For tests that make the disk fail.
    ManufacturerFile(const std::filesystem::path& startDir, toolkit::MessageService& messages,
                     files::FileSystem& fileSystem);

    ManufacturerFile(const ManufacturerFile&) = delete;
    ManufacturerFile& operator=(const ManufacturerFile&) = delete;

    const std::filesystem::path& MfgFile() const { return mfgFile; }

    // Every read of the file lands here, and the save writes it.
    ManufacturerRecord CurrentManufacturer;
    // The record the manufacturer panel shows.
    ManufacturerRecord DisplayedManufacturer;
    // The record the load reads and an overwriting save writes (0-based).
    std::size_t SelectedRecord = 0;
    // True: the next save writes at SelectedRecord; false: it appends.
    bool OverwriteRecord = false;
    // The last name lookup ended at a matching record.
    bool NameInDatabase = false;
    // The last listing added at least one name.
    bool ListHasRecords = false;
    // The name being entered (UTF-8, at most 40 characters).
    std::string MfgName;
    // Generation settings the load sets from the record read.
    bool ZeroIsTen = false;
    bool IsICore = false;

    // Looks MfgName up; at a match asks whether to overwrite it (Yes: OverwriteRecord and
    // SelectedRecord point at it). Creates the file empty when it does not exist.
    void FindManufacturerName();

    // Writes CurrentManufacturer at SelectedRecord (OverwriteRecord) or after the last whole
    // record. Refuses, with the message of the value's own field and without writing, a record
    // the generation could not use, and an overwrite whose record another copy of the program
    // has changed or moved since it was read (RecordMoved then tells the caller to list the
    // file again). Returns whether the record was written.
    bool SaveManufacturer();

    // Adds every record's name to LB1 in file order (item n is record n) and sets
    // ListHasRecords. Returns whether the file could be opened; when not, says so in an error box.
    bool ListManufacturers(toolkit::ListBox& LB1);

    // Reads record SelectedRecord into CurrentManufacturer and sets ZeroIsTen and IsICore.
    // Returns true when the record was read and is usable. A damaged record is still read (so
    // that it can be corrected or deleted), but an error box names the manufacturer and the wrong
    // value, and the result is false. A missing file is told in an information box and leaves
    // everything as it was.
    bool LoadManufacturer();

    // When DisplayedManufacturer is marked for deletion, asks whether to purge now.
    void OfferDeletion();

    // Rewrites the file without its marked records, keeping the order of the others. The new
    // file is written beside the old one, flushed, and then put in its place in one rename.
    void PurgeDeletedManufacturers();

    // Every whole record of the file, in file order; empty when there is no file.
    std::vector<ManufacturerRecord> ReadAllRecords();

    // The last save was refused because the record to overwrite is no longer where it was read.
    bool RecordMoved = false;

private:
    std::vector<RecordBytes> ReadRecords(bool& opened, std::size_t* fragmentSize = nullptr);
    void RememberRead(std::size_t number, const RecordBytes& bytes);

    // The record at SelectedRecord as the lookup or the load read it: an overwrite checks that it
    // is still there.
    struct ReadRecord {
        std::size_t number = 0;
        RecordBytes bytes{};
    };
    std::optional<ReadRecord> lastRead;

    std::filesystem::path mfgFile;
    toolkit::MessageService& messages;
    std::unique_ptr<files::FileSystem> ownFileSystem;
    files::FileSystem& fileSystem;
};

} // namespace varnholt::manufacturers
