#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "data_files.h"

using namespace assetgen_test;
namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesUnder(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).string());
    return names;
}

}  // namespace

TEST(AssetgenDeterminism, ASecondRunWritesTheSameBytes) {
    const fs::path dir = fs::temp_directory_path() / ("assetgen-test-" + std::to_string(getpid()));
    fs::remove_all(dir);
    const std::string command = std::string("'") + ASSETGEN_PROGRAM + "' '" + dir.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    const auto fresh = FilesUnder(dir);
    EXPECT_EQ(fresh.size(), 16u);
    for (const auto& name : fresh) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(DataDir() / name));
        EXPECT_TRUE(ReadBytes(dir / name) == ReadBytes(DataDir() / name)) << "differs from the build's copy";
    }
    fs::remove_all(dir);
}

TEST(AssetgenFont, DisplayFontIsCopiedWithItsLicence) {
    const auto font = ReadBytes(DataDir() / "Fonts" / "beware.ttf");
    ASSERT_GT(font.size(), 10000u);
    // An sfnt file: TrueType outlines or compact (CFF) ones.
    const bool trueType = font[0] == 0 && font[1] == 1 && font[2] == 0 && font[3] == 0;
    const bool compact = std::memcmp(font.data(), "OTTO", 4) == 0;
    EXPECT_TRUE(trueType || compact);
    const auto licence = ReadBytes(DataDir() / "Fonts" / "LICENSE-beware.txt");
    const std::string text(licence.begin(), licence.end());
    EXPECT_NE(text.find("License"), std::string::npos);
}
