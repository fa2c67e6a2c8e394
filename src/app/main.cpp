#include "app/CommandLine.h"
#include "app/QtProgram.h"
#include "app/SampleDatabase.h"
#include "files/RunningCopy.h"
#include "files/UserFolders.h"
#include "manufacturers/WorkingFolder.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int ExitFolderUnusable = 1;
constexpr int ExitUsage = 2;

std::vector<std::string> ArgumentsAfterProgramName(const QStringList& arguments) {
    std::vector<std::string> result;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        result.push_back(arguments[i].toStdString());
    return result;
}

int Answer(const varnholt::app::ProgramOptions& options) {
    if (options.help)
        std::cout << varnholt::app::ProgramUsage();
    else
        std::cout << varnholt::app::ProgramVersion(qVersion());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The working folder is settled before any window exists; relative names on the command line
    // count from the folder the program was started in.
    const varnholt::files::StartEnvironment environment = varnholt::files::CurrentStartEnvironment();
    const std::vector<std::string> rawArguments(argv + 1, argv + argc);
    if (varnholt::app::AsksForHelpOrVersion(rawArguments)) {
        const auto parsed = varnholt::app::ParseCommandLine(rawArguments, environment.currentFolder);
        if (parsed.options.help || parsed.options.version)
            return Answer(parsed.options);
    }

    QApplication qtApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Varnholt"));
    QCoreApplication::setApplicationName(QStringLiteral("varnholt"));
    const auto parsed = varnholt::app::ParseCommandLine(
        ArgumentsAfterProgramName(QCoreApplication::arguments()), environment.currentFolder);
    if (parsed.error) {
        std::cerr << "varnholt: " << *parsed.error << "\nTry 'varnholt --help' for more information.\n";
        return ExitUsage;
    }
    if (parsed.options.help || parsed.options.version)
        return Answer(parsed.options);

    const varnholt::manufacturers::WorkingFolderChoice working = varnholt::manufacturers::ChooseWorkingFolder(
        parsed.options.folder, environment, varnholt::app::SampleDatabase());
    if (working.error) {
        std::cerr << "varnholt: " << *working.error << "\n";
        return ExitFolderUnusable;
    }
    if (working.note)
        std::cerr << "varnholt: " << *working.note << "\n";
    std::error_code error;
    std::filesystem::current_path(working.folder, error);

    // A second copy of the program opens down and right of the first, not hidden exactly under it.
    const varnholt::files::RunningCopy copy(varnholt::files::CopiesFolder(environment));
    varnholt::app::QtProgram program(working.folder);
    program.Model().application.SetCopyNumber(copy.Number());
    program.Start();
    if (working.note)
        program.ShowNote(*working.note);
    // A saved system named on the command line (a double click on it) opens into its preview; a
    // file it refuses is told in a message box over the main window.
    if (parsed.options.systemFile)
        program.OpenSystemFile(*parsed.options.systemFile);
    const int status = QApplication::exec();
    // Every change was written when it was made. Taking a large report's pages and the windows
    // apart piece by piece would keep the user waiting seconds for memory the system takes back
    // anyway.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
