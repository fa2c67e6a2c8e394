#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace varnholt::qtreports {

// A file name for a report of stem: the characters a file name cannot hold become blanks or
// dashes, and suffix (".pdf") is added.
QString ProposedFileName(const std::string& stem, const QString& suffix);

// The name as the user typed it, with suffix added unless it already ends in it (in any case).
QString WithSuffix(const QString& fileName, const QString& suffix);

// Asks for the file to write: a save dialog in folder with the proposed name, the suffix added
// to what the user typed, and a question before an existing file is replaced. Nothing when the
// user cancels or declines the replacement; a message box says why a name cannot be used.
std::optional<QString> ChooseFileToWrite(QWidget* parent, const QString& caption, const QString& folder,
                                         const QString& proposedName, const QString& filter,
                                         const QString& suffix);

} // namespace varnholt::qtreports