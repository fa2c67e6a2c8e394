#pragma once

#include "app/PreviewedSystem.h"
#include "bands/Document.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace varnholt::qtreports {
class PreviewWindow;
}

namespace varnholt::app {

class DoorWindow;
class Program;

// Saved systems in the windows: the preview's "Save System…" and "Job Details…", opening a
// system file (Ctrl+O or a file dropped on the main window, or named on the command line) into
// its preview.
class SystemFileCommands : public QObject {
public:
    // Shows a system's report in a new preview, in place of the one before, at that page.
    using Presenter = std::function<void(bands::Document document, int page)>;
    // Asks for a file name to save to or open; empty when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent, const QString& proposed)>;

    SystemFileCommands(Program& program, Presenter presenter);

    // The dialog has generated a system and its report is about to be shown.
    void SystemGenerated();
    // Gives the preview of the current system its commands, its title and the question before it
    // closes with unsaved changes.
    void AddCommands(qtreports::PreviewWindow& preview);
    // Before the current system is closed, replaced or the program ends: false when the user
    // kept its unsaved changes (Cancel, or a save that did not happen).
    bool MayLeaveCurrent(QWidget* parent);
    // Ctrl+O: asks for a saved system and opens it.
    void ChooseAndOpen(QWidget* parent);
    // Opens a saved system into its preview; a refusal is told in an error box and changes
    // nothing. True when the system is shown.
    bool Open(const std::filesystem::path& file);
    // Ctrl+O and dropped files on the program's main window.
    void AcceptOpeningOn(QWidget& mainWindow);

    void SaveSystem(QWidget* parent);
    // The folder the system file dialogs start in: the last one used, the documents folder at first.
    static QString SystemsFolder();
    void EditJobDetails(QWidget* parent);
    // "Doors…": the door table of the current system, one window at a time.
    void ShowDoors(qtreports::PreviewWindow& preview);
    DoorWindow* Doors() const;

    const std::optional<PreviewedSystem>& Current() const { return current; }

    FileChooser chooseSaveFile;
    FileChooser chooseOpenFile;
    // Shows the job details dialog; true when the user pressed OK.
    std::function<bool(report::JobDetails& details, QWidget* parent)> askJobDetails;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refuse(const std::string& message);
    // The preview's title names the file, with a mark while there are unsaved changes.
    void ShowState(qtreports::PreviewWindow& preview) const;

    Program& program;
    Presenter present;
    void CloseDoors();
    // A report of the doors in a preview of its own, down and right of the system's.
    void ShowDoorReport(bands::Document document, const std::string& stem);

    std::optional<PreviewedSystem> current;
    QPointer<DoorWindow> doorWindow;
    std::unique_ptr<qtreports::PreviewWindow> doorReport;
};

} // namespace varnholt::app
