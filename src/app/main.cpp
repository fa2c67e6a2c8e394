#include "app/QtProgram.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
    // The database is the one of the directory the program is started in, fixed before any
    // window exists.
    const std::filesystem::path startDirectory = std::filesystem::current_path();
    QApplication qtApplication(argc, argv);
    varnholt::app::QtProgram program(startDirectory);
    program.Start();
    return QApplication::exec();
}
