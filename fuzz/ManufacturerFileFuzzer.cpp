// Any bytes as the manufacturer database: list it, load every record, look a name up, save and
// purge, all in memory. Besides the sanitizers' checks, the file operations must agree with
// each other and with a decode of each record on its own.

#include "FuzzCheck.h"
#include "MemoryFileSystem.h"

#include "manufacturers/CodePage1252.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerName.h"
#include "manufacturers/RecordValidity.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "files/FileError.h"
#include "toolkit/ListBox.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using varnholt::manufacturers::ManufacturerRecord;
using varnholt::manufacturers::RecordBytes;
using varnholt::manufacturers::RecordSize;

// Each record decoded from a heap block of exactly its own 88 bytes, so that AddressSanitizer
// sees any read beyond the record, and so that the result cannot depend on the records around it.
struct LoneRecord {
    RecordBytes bytes;
    ManufacturerRecord record;
    bool usable = false;
};

std::vector<LoneRecord> DecodeAlone(const std::vector<std::uint8_t>& fileBytes) {
    std::vector<LoneRecord> records;
    for (std::size_t start = 0; start + RecordSize <= fileBytes.size(); start += RecordSize) {
        auto alone = std::make_unique<RecordBytes>();
        std::copy_n(fileBytes.begin() + static_cast<std::ptrdiff_t>(start), RecordSize, alone->begin());
        LoneRecord lone{*alone, ManufacturerRecord::Decode(*alone), false};
        lone.usable = !varnholt::manufacturers::FindLayoutDamage(*alone) &&
                      !varnholt::manufacturers::FindImpossibleField(lone.record);
        records.push_back(std::move(lone));
    }
    return records;
}

void CheckDecodedShape(const LoneRecord& lone) {
    const ManufacturerRecord& record = lone.record;
    FUZZ_CHECK(varnholt::manufacturers::CharacterCount(record.Name) <= varnholt::manufacturers::NameCapacity);
    FUZZ_CHECK(varnholt::manufacturers::EncodeCodePage1252(record.Name).has_value());
    FUZZ_CHECK(record.IsICore == (lone.bytes[84] != 0));
    if (record.IsICore)
        FUZZ_CHECK(varnholt::manufacturers::CharacterCount(record.ControlChambers) ==
                   varnholt::manufacturers::ControlChambersCapacity);
    else
        FUZZ_CHECK(varnholt::manufacturers::CharacterCount(record.ControlChambers) <=
                   varnholt::manufacturers::ControlChambersCapacity);
    if (varnholt::manufacturers::FindImpossibleValue(record))
        FUZZ_CHECK(varnholt::manufacturers::FindImpossibleField(record).has_value());
    if (lone.usable) {
        // What the program may use it writes back so that it reads the same. Without an
        // interchangeable core the control-chamber bytes mean nothing and are left out.
        ManufacturerRecord reread = ManufacturerRecord::Decode(record.Encode());
        if (!record.IsICore)
            reread.ControlChambers = record.ControlChambers;
        FUZZ_CHECK(reread == record);
        FUZZ_CHECK(record.MaxChambers() >= record.MinChambers &&
                   record.MaxChambers() <= varnholt::manufacturers::MostChambers);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> fileBytes(data, data + size);
    const std::vector<LoneRecord> alone = DecodeAlone(fileBytes);
    for (const LoneRecord& lone : alone)
        CheckDecodedShape(lone);

    varnholt::toolkit::HeadlessMessageService messages;
    varnholt::toolkit::Application application{messages};
    varnholt::toolkit::Form form{application, "Form2"};
    varnholt::toolkit::ListBox& LB1 = form.Add<varnholt::toolkit::ListBox>("LB1");
    varnholt::fuzz::MemoryFileSystem disk;
    varnholt::manufacturers::ManufacturerFile file{"/fuzz", messages, disk};
    disk.files[file.MfgFile()] = fileBytes;

    // The listing: one item per whole record, in file order; a fragment is told, never listed.
    FUZZ_CHECK(file.ListManufacturers(LB1));
    FUZZ_CHECK(static_cast<std::size_t>(LB1.Count()) == alone.size());
    FUZZ_CHECK(file.ListHasRecords == !alone.empty());
    FUZZ_CHECK(messages.Boxes().size() == (size % RecordSize == 0 ? 0U : 1U));
    const std::vector<ManufacturerRecord> all = file.ReadAllRecords();
    FUZZ_CHECK(all.size() == alone.size());
    for (std::size_t n = 0; n < alone.size(); ++n) {
        FUZZ_CHECK(LB1.Items()[n] == alone[n].record.Name);
        FUZZ_CHECK(all[n] == alone[n].record);
    }

    // The load: every record reads as it decodes alone; a damaged one says so in one error box.
    for (std::size_t n = 0; n < alone.size(); ++n) {
        messages.ClearRecord();
        file.SelectedRecord = n;
        const bool loaded = file.LoadManufacturer();
        FUZZ_CHECK(loaded == alone[n].usable);
        FUZZ_CHECK(file.CurrentManufacturer == alone[n].record);
        FUZZ_CHECK(file.ZeroIsTen == (alone[n].record.DeepestCut == 10));
        FUZZ_CHECK(file.IsICore == alone[n].record.IsICore);
        FUZZ_CHECK(messages.Boxes().size() == (loaded ? 0U : 1U));
    }
    file.SelectedRecord = alone.size();
    bool refused = false;
    try {
        file.LoadManufacturer();
    } catch (const varnholt::files::FileError&) {
        refused = true;
    }
    FUZZ_CHECK(refused);

    if (alone.empty())
        return 0;

    // The lookup finds the last record's name at the first record that bears it.
    const ManufacturerRecord& last = alone.back().record;
    file.MfgName = last.Name;
    messages.QueueAnswer(varnholt::toolkit::Answer::Yes);
    file.FindManufacturerName();
    FUZZ_CHECK(file.NameInDatabase && file.OverwriteRecord);
    FUZZ_CHECK(messages.PendingAnswers() == 0);
    FUZZ_CHECK(file.SelectedRecord < alone.size());
    FUZZ_CHECK(
        varnholt::manufacturers::SameManufacturerName(alone[file.SelectedRecord].record.Name, last.Name));
    for (std::size_t n = 0; n < file.SelectedRecord; ++n)
        FUZZ_CHECK(!varnholt::manufacturers::SameManufacturerName(alone[n].record.Name, last.Name));

    // Overwriting that record with what the lookup read changes nothing of a usable record and
    // refuses any other, unless it is marked for deletion.
    const std::size_t matched = file.SelectedRecord;
    const bool saved = file.SaveManufacturer();
    const bool markedInPlace = varnholt::manufacturers::IsMarkedForDeletion(alone[matched].record.Name);
    FUZZ_CHECK(saved ==
               (markedInPlace || !varnholt::manufacturers::FindImpossibleField(alone[matched].record)));
    std::vector<std::uint8_t> expected = fileBytes;
    if (saved) {
        const RecordBytes written = alone[matched].record.Encode();
        std::copy(written.begin(), written.end(),
                  expected.begin() + static_cast<std::ptrdiff_t>(matched * RecordSize));
    }
    FUZZ_CHECK(disk.files.at(file.MfgFile()) == expected);
    const std::vector<LoneRecord> afterSave = DecodeAlone(expected);

    // The purge keeps exactly the unmarked records, byte for byte and in order, and drops a
    // trailing fragment.
    file.PurgeDeletedManufacturers();
    std::vector<std::uint8_t> kept;
    for (const LoneRecord& lone : afterSave)
        if (!varnholt::manufacturers::IsMarkedForDeletion(lone.record.Name))
            kept.insert(kept.end(), lone.bytes.begin(), lone.bytes.end());
    FUZZ_CHECK(disk.files.at(file.MfgFile()) == kept);
    FUZZ_CHECK(disk.files.size() == 1); // no temporary file stays behind
    return 0;
}
