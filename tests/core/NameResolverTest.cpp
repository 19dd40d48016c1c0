// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NameResolver.h"
#include "core/ByteFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;

TEST(NameResolver, ExactSpellingWinsOverOtherCases) {
    testing::TempFolder temp;
    fs::create_directories(temp.path() / "content");
    fs::create_directories(temp.path() / "CONTENT");
    fs::create_directories(temp.path() / "Content");
    EXPECT_EQ(resolveName(temp.path(), "Content"), temp.path() / "Content");
    // Without the exact spelling, the first match in listing order.
    EXPECT_EQ(resolveName(temp.path(), "cOnTeNt"), temp.path() / "CONTENT");
    EXPECT_EQ(resolveName(temp.path(), "Assets"), std::nullopt);
    EXPECT_EQ(resolvedOrSpelled(temp.path(), "Assets"), temp.path() / "Assets");
    EXPECT_EQ(resolvedOrSpelled(temp.path(), "cOnTeNt"), temp.path() / "CONTENT");
}

TEST(NameResolver, GamePathsResolveEveryComponent) {
    testing::TempFolder temp;
    temp.write("assets/Acme/Pack/railvehicles/Wagon.BIN", "x");
    EXPECT_EQ(resolveGamePath(temp.path(), "Assets\\acme\\PACK\\RailVehicles\\wagon.bin"),
              temp.path() / "assets/Acme/Pack/railvehicles/Wagon.BIN");
    EXPECT_EQ(resolveGamePath(temp.path(), "Assets\\Acme\\Other\\x.bin"), std::nullopt);
}

TEST(NameResolver, ListsAreInListingOrderAndTellFoldersAndFilesWithLinksFollowed) {
    testing::TempFolder temp;
    const fs::path list = temp.path() / "list";
    temp.write("list/b-file.bin", "x");
    fs::create_directories(list / "A-folder");
    fs::create_directory_symlink("A-folder", list / "c-link-to-folder");
    fs::create_symlink("b-file.bin", list / "d-link-to-file");
    fs::create_symlink("nowhere", list / "e-dangling");
    ::mkfifo((list / "f-pipe").c_str(), 0600);
    std::string seen; // a folder marked "/", a regular file "*"
    for (const ListedEntry& entry : listEntriesInOrder(list)) {
        seen += entry.name + (entry.folder ? "/ " : entry.regularFile ? "* " : " ");
    }
    EXPECT_EQ(seen, "A-folder/ b-file.bin* c-link-to-folder/ d-link-to-file* e-dangling f-pipe ");
    EXPECT_TRUE(listEntriesInOrder(temp.path() / "missing").empty());
    EXPECT_TRUE(listFolderInOrder(temp.path() / "missing").empty());
}

TEST(NameResolver, WalksLeaveOutOddNames) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Class 66", true}, {"Z\xC3\xBCrich", true}, {"it's \"quoted\"", true}, {"a\\b", false},
        {"a|b", false},     {"tab\there", false},    {"new\nline", false},      {"\xE9t\xE9", false},
    };
    for (const auto& [name, walkable] : cases) {
        EXPECT_EQ(isWalkableName(name), walkable) << name;
    }
}

TEST(ByteFile, ReadsEveryByteAndRefusesFolders) {
    testing::TempFolder temp;
    const std::string bytes("a\0b\r\n\xFF", 6);
    EXPECT_EQ(readWholeFile(temp.write("f.bin", bytes)), bytes);
    EXPECT_EQ(readWholeFile(temp.write("empty", "")), std::string());
    EXPECT_EQ(readWholeFile(temp.path()), std::nullopt);
    EXPECT_EQ(readWholeFile(temp.path() / "missing"), std::nullopt);
}

// The pieces join to the whole file, none longer than asked; reading stops when the taker says so;
// what cannot be read whole is refused as readWholeFile refuses it.
TEST(ByteFile, ReadsInPiecesWhatItReadsWhole) {
    testing::TempFolder temp;
    std::string bytes;
    for (int i = 0; i < 10000; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    const std::filesystem::path file = temp.write("f.bin", bytes);
    struct Case {
        std::size_t pieceBytes;
        std::size_t stopAfter;
        std::string expected;
    };
    for (const Case& c : {Case{1000, 100, bytes}, Case{4096, 100, bytes}, Case{20000, 100, bytes},
                          Case{3000, 2, bytes.substr(0, 6000)}, Case{1, 3, bytes.substr(0, 3)}}) {
        std::string joined;
        std::size_t pieces = 0;
        const bool read = readFileInPieces(file, c.pieceBytes, [&](std::string_view piece) {
            EXPECT_LE(piece.size(), c.pieceBytes);
            joined.append(piece);
            return ++pieces < c.stopAfter;
        });
        EXPECT_TRUE(read);
        EXPECT_EQ(joined, c.expected) << c.pieceBytes << " " << c.stopAfter;
    }
    for (const std::filesystem::path& unreadable : {temp.path(), temp.path() / "missing"}) {
        EXPECT_FALSE(readFileInPieces(unreadable, 100, [](std::string_view) { return true; }));
    }
}

} // namespace
} // namespace dovrel
