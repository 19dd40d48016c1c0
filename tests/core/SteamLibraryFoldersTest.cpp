// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SteamLibraryFolders.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using Paths = std::vector<std::string>;

struct VdfCase {
    const char* what;
    std::string text;
    Paths paths;
};

// The layout Steam writes today: a block per library with its "path", other values and its apps.
const std::string kTwoLibraries = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/ann/.local/share/Steam"
		"label"		""
		"apps"
		{
			"228980"		"371026519"
		}
	}
	"1"
	{
		"path"		"/mnt/Games Disk/SteamLibrary"
		"label"		"fast"
	}
}
)";

// A library followed by blocks nested `depth` deep, every brace closed.
std::string deeplyNested(int depth) {
    std::string text = "\"libraryfolders\" { \"0\" { \"path\" \"/x\" } ";
    for (int i = 0; i < depth; ++i) {
        text += "\"k\" { ";
    }
    return text + std::string(static_cast<std::size_t>(depth), '}') + " }";
}

TEST(SteamLibraryFolders, ListsEachLibraryOfAWellFormedFileAndNoneOfAMalformedOne) {
    const std::vector<VdfCase> cases = {
        {"two libraries", kTwoLibraries, {"/home/ann/.local/share/Steam", "/mnt/Games Disk/SteamLibrary"}},
        {"older layout: numbered paths among other values",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n\t\"ContentStatsID\"\t\t\"-"
         "1\"\n"
         "\t\"1\"\t\t\"/data/steam\"\n\t\"2\"\t\t\"/data/more\"\n}\n",
         {"/data/steam", "/data/more"}},
        {"escapes, comments, a key in other letter case and an empty path",
         "// written by hand\n\"libraryfolders\" { \"0\" { \"PATH\" \"D:\\\\Steam \\\"x\\\"\" } // note\n"
         "\"1\" { \"path\" \"\" } \"2\" { \"label\" \"no path\" } }",
         {"D:\\Steam \"x\""}},
        {"nesting as deep as a real file goes", deeplyNested(8), {"/x"}},
        {"another root", "\"config\" { \"0\" { \"path\" \"/x\" } }", {}},
        {"unclosed quote", "\"libraryfolders\" { \"0\" { \"path\" \"/x } }", {}},
        {"a closing brace too many", "\"libraryfolders\" { \"0\" { \"path\" \"/x\" } } }", {}},
        {"a bare word", "\"libraryfolders\" { \"0\" { path \"/x\" } }", {}},
        {"nesting deeper than any real file", deeplyNested(100), {}},
        {"the good part of a file damaged further on", kTwoLibraries.substr(0, kTwoLibraries.size() - 3), {}},
    };
    for (const VdfCase& c : cases) {
        EXPECT_EQ(libraryPathsFromVdf(c.text), c.paths) << c.what;
    }
}

} // namespace
} // namespace dovrel
