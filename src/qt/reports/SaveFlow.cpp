#include "qt/reports/SaveFlow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace varnholt::qtreports {

QString ProposedFileName(const std::string& stem, const QString& suffix) {
    QString name = QString::fromStdString(stem).simplified();
    for (QChar& character : name) {
        if (character == QChar('/') || character == QChar('\\')) {
            character = QChar('-');
        } else if (character.unicode() < 0x20 || QStringLiteral(":*?\"<>|").contains(character)) {
            character = QChar(' ');
        }
    }
    name = name.simplified();
    // A name that starts with a dot would be hidden.
    while (name.startsWith(QChar('.'))) {
        name.remove(0, 1);
    }
    if (name.isEmpty()) {
        name = QStringLiteral("Report");
    }
    return name + suffix;
}

QString WithSuffix(const QString& fileName, const QString& suffix) {
    return fileName.endsWith(suffix, Qt::CaseInsensitive) ? fileName : fileName + suffix;
}

std::optional<QString> ChooseFileToWrite(QWidget* parent, const QString& caption, const QString& folder,
                                         const QString& proposedName, const QString& filter,
                                         const QString& suffix) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The question about replacing comes below, once the suffix is on the name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QDir(folder).filePath(proposedName));
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString fileName = WithSuffix(dialog.selectedFiles().constFirst(), suffix);
        const QFileInfo target(fileName);
        if (target.exists() && (target.isDir() || !target.isFile())) {
            QMessageBox::warning(parent, caption,
                                 QStringLiteral("\"%1\" is not a plain file and cannot be replaced.")
                                     .arg(QDir::toNativeSeparators(fileName)));
            continue;
        }
        if (target.exists() &&
            QMessageBox::question(
                parent, caption,
                QStringLiteral("\"%1\" already exists.\nDo you want to replace it?").arg(target.fileName()),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
            dialog.selectFile(fileName);
            continue;
        }
        return fileName;
    }
    return std::nullopt;
}

} // namespace varnholt::qtreports