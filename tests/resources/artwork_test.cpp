// The committed pictures are exactly what the generator draws today: a
// change to either side without the other shows up here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<char> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class ArtworkOutput : public testing::Test {
protected:
    void SetUp() override
    {
        // A fresh name per run, so builds testing side by side do not collide.
        m_folder = fs::temp_directory_path() / ("tavolisk-art-" + std::to_string(std::random_device{}()));
        fs::remove_all(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    int Generate() const
    {
        const std::string command = std::string("\"") + TAVOLISK_ARTWORK_GENERATOR + "\" \"" + m_folder.string() + "\"";
        return std::system(command.c_str());
    }

    fs::path m_folder;
};

TEST_F(ArtworkOutput, MatchesTheCommittedFilesByteForByte)
{
    ASSERT_EQ(Generate(), 0);
    const fs::path committed = TAVOLISK_ART_DIR;
    ASSERT_EQ(FileNames(m_folder), FileNames(committed));
    for (const std::string& name : FileNames(committed)) {
        const std::vector<char> fresh = ReadAll(m_folder / name);
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == ReadAll(committed / name)) << name << " differs from a fresh run of the generator";
    }
}

} // namespace
