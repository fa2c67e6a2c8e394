#include "qt/reports/WholeFile.h"

#include <QFile>
#include <QTemporaryFile>

namespace varnholt::qtreports {

namespace fs = std::filesystem;

OutputResult WriteWhole(const fs::path& target,
                        const std::function<OutputResult(const fs::path& temporary)>& write) {
    std::error_code error;
    fs::path destination = target;
    if (fs::is_symlink(destination, error)) {
        destination = fs::weakly_canonical(destination, error);
        if (error) {
            return {false, "The link \"" + target.string() + "\" leads nowhere that can be written."};
        }
    }
    const fs::file_status status = fs::status(destination, error);
    const bool replacing = fs::exists(status);
    if (replacing && !fs::is_regular_file(status)) {
        return {false, "\"" + target.string() + "\" is not a plain file and is not replaced."};
    }
    const fs::path folder = destination.has_parent_path() ? destination.parent_path() : fs::path(".");
    QTemporaryFile temporary(QString::fromStdU16String(
        (folder / ("." + destination.filename().string() + ".XXXXXX")).u16string()));
    temporary.setAutoRemove(false);
    if (!temporary.open()) {
        return {false, "The file \"" + target.string() + "\" could not be written."};
    }
    temporary.close();
    const fs::path temporaryPath(temporary.fileName().toStdU16String());
    const auto discard = [&temporaryPath] {
        std::error_code ignored;
        fs::remove(temporaryPath, ignored);
    };
    OutputResult result = write(temporaryPath);
    if (!result.succeeded) {
        discard();
        // The user knows the file by the name they gave, not by its temporary.
        if (!result.message.empty()) {
            const std::string temporaryName = temporaryPath.string();
            for (std::size_t at = result.message.find(temporaryName); at != std::string::npos;
                 at = result.message.find(temporaryName)) {
                result.message.replace(at, temporaryName.size(), target.string());
            }
        }
        return result;
    }
    const QFileDevice::Permissions permissions =
        replacing ? QFile::permissions(QString::fromStdU16String(destination.u16string()))
                  : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther;
    QFile::setPermissions(temporary.fileName(), permissions);
    fs::rename(temporaryPath, destination, error);
    if (error) {
        discard();
        return {false,
                "The file \"" + target.string() + "\" could not be replaced: " + error.message() + "."};
    }
    return {true, {}};
}

} // namespace varnholt::qtreports