#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace varnholt::qtreports {

// Every test gets its own application object and a scratch folder that is removed afterwards.
class ApplicationFixture : public ::testing::Test {
protected:
    ApplicationFixture() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 (std::string("bands-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~ApplicationFixture() override { std::filesystem::remove_all(folder); }

    int argc = 1;
    char programName[16] = "qt_reports";
    char* argv[1] = {programName};
    QApplication application{argc, argv};
    std::filesystem::path folder;
};

} // namespace varnholt::qtreports