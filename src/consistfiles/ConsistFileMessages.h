// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The texts that the consist readers, the loader, the save and the delete show or put on screen.
namespace dovrel::consistmessages {

// List heading captions; Save and Delete test the heading against the first.
inline constexpr std::string_view kUserConsistsHeading = "User Consists";
inline constexpr std::string_view kScenarioConsistsHeading = "Scenario Consists";
// The name part of a scenario row whose driver has no service name.
inline constexpr std::string_view kUnassigned = "(unassigned)";
inline constexpr std::string_view kForward = "forward";
inline constexpr std::string_view kReversed = "reversed";

// Readers.
std::string userUnitNotFound(std::string_view blueprint);
std::string scenarioUnitNotFound(std::string_view consistId, std::string_view fileName);

// Viewing and loading.
std::string selectConsistInList();
std::string consistIsFull();

// Saving.
std::string nameMissing();
std::string nameHasForbiddenSymbols();
std::string replaceQuestion();
// Replacing a consist whose file holds units the catalogue does not: they would be left out.
std::string unitsLeftOutQuestion(std::size_t count);
std::string consistSaved();

// Saving and deleting.
std::string badlyFormedXml();
std::string couldNotWrite(const std::filesystem::path& file, std::string_view reason);
std::string couldNotRead(const std::filesystem::path& file, std::string_view reason);
std::string couldNotCopy(const std::filesystem::path& from, const std::filesystem::path& to,
                         std::string_view reason);
std::string couldNotConvert(const std::filesystem::path& file, std::string_view reason);

// Restoring a kept copy, named as backupLabel names it.
// The reason shown for a copy the converter does not read as user consists.
inline constexpr std::string_view kUnreadableCopy = "unreadable copy";
// The promise of a copy of the file as it is now only when there is such a file.
std::string restoreQuestion(std::string_view copy, bool gameFileExists);
std::string userConsistsRestored(std::string_view copy);
std::string copyUnreadable(std::string_view copy);

// Deleting.
std::string notUserConsist(std::string_view name);
std::string consistNotInFile(std::string_view name);
std::string deleteQuestion();
std::string consistDeleted(std::string_view name);
std::string lastConsistDeleted(std::string_view name);

} // namespace dovrel::consistmessages
