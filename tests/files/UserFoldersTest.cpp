#include "files/UserFolders.h"

#include <gtest/gtest.h>

namespace varnholt::files {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
TEST(UserFolders, OnWindowsTheDataFolderIsInAppDataAndTheMarkersStayOnTheMachine) {
    StartEnvironment environment;
    environment.xdgDataHome = "C:\\xdg";
    environment.home = "C:\\Users\\M\u00fcller";
    EXPECT_EQ(DataFolder(environment), fs::path()) << "no APPDATA, no data folder";
    environment.appData = L"C:\\Users\\M\u00fcller\\AppData\\Roaming";
    environment.localAppData = "relative";
    EXPECT_EQ(DataFolder(environment), fs::path(L"C:\\Users\\M\u00fcller\\AppData\\Roaming\\varnholt"));
    EXPECT_EQ(CopiesFolder(environment).parent_path(), fs::temp_directory_path().parent_path());
    environment.localAppData = L"C:\\Users\\M\u00fcller\\AppData\\Local";
    EXPECT_EQ(CopiesFolder(environment), fs::path(L"C:\\Users\\M\u00fcller\\AppData\\Local\\varnholt\\copies"));

    // This process's own: Wine and Windows both set it.
    EXPECT_EQ(DataFolder(CurrentStartEnvironment()).filename(), "varnholt");
    EXPECT_TRUE(DataFolder(CurrentStartEnvironment()).is_absolute());
}
#else
TEST(UserFolders, TheDataFolderFollowsXdgThenHomeAndTheMarkersTheRuntimeFolder) {
    StartEnvironment environment;
    environment.appData = "/appdata";
    EXPECT_EQ(DataFolder(environment), fs::path());
    environment.home = "/home/m\xc3\xbcller";
    EXPECT_EQ(DataFolder(environment), fs::path("/home/m\xc3\xbcller/.local/share/varnholt"));
    environment.xdgDataHome = "relative";
    EXPECT_EQ(DataFolder(environment), fs::path("/home/m\xc3\xbcller/.local/share/varnholt"));
    environment.xdgDataHome = "/data/";
    EXPECT_EQ(DataFolder(environment), fs::path("/data/varnholt"));
    EXPECT_EQ(CopiesFolder(environment).parent_path(), fs::temp_directory_path());
    environment.xdgRuntimeDir = "/run/user/1000";
    EXPECT_EQ(CopiesFolder(environment), fs::path("/run/user/1000/varnholt"));
}
#endif

} // namespace
} // namespace varnholt::files
