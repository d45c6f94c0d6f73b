#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/asset_archive.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> patternBytes(size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t word = 2463534242u;
    for (auto& b : bytes) {
        word ^= word << 13;
        word ^= word >> 17;
        word ^= word << 5;
        b = static_cast<uint8_t>(word);
    }
    return bytes;
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct AssetArchiveTest : ::testing::Test {
    AssetArchive archive;
    fs::path dir;

    void SetUp() override {
        constructAssetArchive(archive, kArchiveKey);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("archive_") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir / "image.png.bnd", fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }
    fs::path file(const std::vector<uint8_t>& bytes, const char* name = "image.png") {
        writeBytes(dir / name, bytes);
        return dir / name;
    }
};

const uint8_t kKey[] = {'v', 'a', 'l', 'o', 'm', 'i', 'r', 'e'};

TEST_F(AssetArchiveTest, ConstructionKeepsTheKeyAndSizes) {
    EXPECT_EQ(archive.keyLength, 8);
    EXPECT_STREQ(archive.key.get(), "valomire");
    EXPECT_EQ(archive.blockSize, 128);
    EXPECT_EQ(archive.bufferSize, 8192);
    ASSERT_NE(archive.buffer, nullptr);
}

TEST(AssetArchiveKeyDeathTest, EmptyKeyEndsWithMinusOne) {
    AssetArchive archive;
    EXPECT_EXIT(constructAssetArchive(archive, ""), ::testing::ExitedWithCode(255),
                "ファイル暗号化キーが正しく設定されていません。");
}

TEST_F(AssetArchiveTest, ScramblesTheHeadWithTheRepeatedKeyAndLeavesTheRestAlone) {
    const auto plain = patternBytes(300);
    const auto path = file(plain);
    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 0));
    const auto scrambled = readBytes(path);
    ASSERT_EQ(scrambled.size(), plain.size());
    for (size_t i = 0; i < 128; ++i) EXPECT_EQ(scrambled[i], plain[i] ^ kKey[i % 8]) << "byte " << i;
    // Byte 8 starts the key again.
    EXPECT_EQ(scrambled[8], plain[8] ^ 'v');
    EXPECT_TRUE(std::equal(plain.begin() + 128, plain.end(), scrambled.begin() + 128));

    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 0));
    EXPECT_EQ(readBytes(path), plain);
}

TEST_F(AssetArchiveTest, KeyRepeatsByItsOwnLength) {
    AssetArchive shortKey;
    constructAssetArchive(shortKey, "abc");
    ASSERT_EQ(shortKey.keyLength, 3);
    const auto plain = patternBytes(50);
    const auto path = file(plain);
    ASSERT_TRUE(scrambleFile(shortKey, path.c_str(), 0));
    const auto scrambled = readBytes(path);
    for (size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(scrambled[i], plain[i] ^ "abc"[i % 3]) << "byte " << i;
}

TEST_F(AssetArchiveTest, ShortFileIsProcessedOverItsWholeLengthAndKeepsItsSize) {
    const auto plain = patternBytes(37);
    const auto path = file(plain);
    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 0));
    const auto scrambled = readBytes(path);
    ASSERT_EQ(scrambled.size(), 37u);
    for (size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(scrambled[i], plain[i] ^ kKey[i % 8]);
}

TEST_F(AssetArchiveTest, GivenLengthReplacesTheBlockSize) {
    const auto plain = patternBytes(9000);
    const auto path = file(plain);
    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 8192));
    const auto scrambled = readBytes(path);
    EXPECT_EQ(scrambled[8191], plain[8191] ^ kKey[8191 % 8]);
    EXPECT_EQ(scrambled[8192], plain[8192]);
    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 8192));
    EXPECT_EQ(readBytes(path), plain);
}

TEST_F(AssetArchiveTest, OnAShortFileOnlyTheFileSizeCounts) {
    const auto plain = patternBytes(100);
    const auto path = file(plain);
    ASSERT_TRUE(scrambleFile(archive, path.c_str(), 100000));
    const auto scrambled = readBytes(path);
    ASSERT_EQ(scrambled.size(), 100u);
    EXPECT_EQ(scrambled[99], plain[99] ^ kKey[99 % 8]);
}

TEST_F(AssetArchiveTest, EmptyFileIsAcceptedAndStaysEmpty) {
    const auto path = file({});
    EXPECT_TRUE(scrambleFile(archive, path.c_str(), 0));
    EXPECT_TRUE(readBytes(path).empty());
}

TEST_F(AssetArchiveTest, MissingFileOrFolderIsRefusedWithoutCreatingAnything) {
    EXPECT_FALSE(scrambleFile(archive, (dir / "absent.png.bnd").c_str(), 0));
    EXPECT_FALSE(fs::exists(dir / "absent.png.bnd"));
    EXPECT_FALSE(scrambleFile(archive, dir.c_str(), 0));
    EXPECT_FALSE(makeArchive(archive, (dir / "absent.png").c_str(), 0));
    EXPECT_FALSE(fs::exists(dir / "absent.png.bnd"));
}

using AssetArchiveDeathTest = AssetArchiveTest;

TEST_F(AssetArchiveDeathTest, OversizeLengthOnALongFileEndsTheProcess) {
    const auto plain = patternBytes(10000);
    const auto path = file(plain);
    EXPECT_EXIT(scrambleFile(archive, path.c_str(), 8193), ::testing::ExitedWithCode(1),
                "エンコードサイズ指定エラー");
    EXPECT_EQ(readBytes(path), plain);
    EXPECT_EXIT(scrambleFile(archive, path.c_str(), -5), ::testing::ExitedWithCode(1),
                "エンコードサイズ指定エラー\nCould not encipher .*: the length to encipher is out of range\\.");
}

TEST_F(AssetArchiveTest, MakeArchiveDiffersFromThePlainFileOnlyInItsHead) {
    for (size_t size : {size_t(60), size_t(128), size_t(5000)}) {
        const auto plain = patternBytes(size);
        const auto path = file(plain);
        writeBytes(dir / "image.png.bnd", patternBytes(20000));  // an old archive is replaced
        ASSERT_TRUE(makeArchive(archive, path.c_str(), 0));
        EXPECT_EQ(readBytes(path), plain) << "the plain file is untouched";
        const auto made = readBytes(dir / "image.png.bnd");
        ASSERT_EQ(made.size(), size);
        const size_t head = std::min<size_t>(size, 128);
        for (size_t i = 0; i < size; ++i) {
            const uint8_t expected = i < head ? plain[i] ^ kKey[i % 8] : plain[i];
            ASSERT_EQ(made[i], expected) << "size " << size << " byte " << i;
        }
    }
}

TEST_F(AssetArchiveTest, InMemoryUnscrambleGivesThePlainBytesAndNeverTouchesTheFile) {
    const auto plain = patternBytes(4321);
    ASSERT_TRUE(makeArchive(archive, file(plain).c_str(), 0));
    const fs::path archivePath = dir / "image.png.bnd";
    // An old, known modification time and a read-only file: any write would show.
    const auto oldTime = fs::last_write_time(archivePath) - std::chrono::hours(24 * 365);
    fs::last_write_time(archivePath, oldTime);
    fs::permissions(archivePath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto before = readBytes(archivePath);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(unscrambleIntoMemory(archive, archivePath.c_str(), bytes));
    EXPECT_EQ(bytes, plain);
    ASSERT_TRUE(unscrambleIntoMemory(archive, archivePath.c_str(), bytes));
    EXPECT_EQ(bytes, plain) << "a second load must not see a file left unscrambled";

    EXPECT_EQ(readBytes(archivePath), before);
    EXPECT_EQ(fs::last_write_time(archivePath), oldTime);
}

TEST_F(AssetArchiveTest, InMemoryUnscrambleOfAShortOrMissingFile) {
    const auto plain = patternBytes(20);
    ASSERT_TRUE(makeArchive(archive, file(plain).c_str(), 0));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(unscrambleIntoMemory(archive, (dir / "image.png.bnd").c_str(), bytes));
    EXPECT_EQ(bytes, plain);

    EXPECT_FALSE(unscrambleIntoMemory(archive, (dir / "absent.png.bnd").c_str(), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(unscrambleIntoMemory(archive, dir.c_str(), bytes));
}

}  // namespace
