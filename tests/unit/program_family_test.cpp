// Which running programs count as started by the remover, by table.
#include <gtest/gtest.h>

#include <vector>

#include "app/program_family.h"

namespace {

const unsigned long kRemover = 0x28;
const unsigned long kInstaller = 0x90;

struct FamilyCase {
    const char *what;
    std::vector<ProgramEntry> before;
    std::vector<ProgramEntry> look;
    std::vector<unsigned long> expected;   // the family after the look, remover first
};

const FamilyCase kCases[] = {
    {"a service that ran before, whose long-ended parent had the remover's id",
     {{0x10, 0x04}, {0x50, kRemover}},
     {{0x10, 0x04}, {0x50, kRemover}},
     {kRemover}},
    {"the installer itself, started by a program that ended under the remover's id",
     {{kInstaller, kRemover}},
     {{kInstaller, kRemover}},
     {kRemover}},
    {"a chain of hand-offs, each listed before the program that started it",
     {{kInstaller, 0x08}},
     {{0x70, 0x60}, {0x60, 0x5c}, {0x5c, kRemover}, {kInstaller, 0x08}},
     {kRemover, 0x5c, 0x60, 0x70}},
    {"a helper under the id of a program that ran before and has ended",
     {{0x5c, 0x04}, {kInstaller, 0x08}},
     {{0x5c, kRemover}, {kInstaller, 0x08}},
     {kRemover, 0x5c}},
    {"a program that ran before, started by the helper's id before it came back",
     {{0x30, 0x5c}},
     {{0x5c, kRemover}, {0x30, 0x5c}},
     {kRemover, 0x5c}},
    {"programs started by others",
     {{0x30, 0x04}},
     {{0x30, 0x04}, {0x64, 0x30}, {0x68, 0x64}},
     {kRemover}},
};

TEST(AddStartedPrograms, TakesOnlyWhatTheRemoverStarted)
{
    for (const FamilyCase &c : kCases) {
        unsigned long ids[8] = {kRemover};
        ProgramFamily family = {ids, 1, 8};
        size_t added = AddStartedPrograms(&family, c.look.data(), c.look.size(),
                                          c.before.data(), c.before.size());
        std::vector<unsigned long> got(ids, ids + family.count);
        EXPECT_EQ(c.expected, got) << c.what;
        EXPECT_EQ(c.expected.size() - 1, added) << c.what;
    }
}

// A second look finds only what is new, and no family grows past its limit.
TEST(AddStartedPrograms, NothingTwiceAndNothingPastTheLimit)
{
    unsigned long ids[3] = {kRemover};
    ProgramFamily family = {ids, 1, 3};
    const ProgramEntry look[] = {{0x5c, kRemover}, {0x60, kRemover}, {0x64, kRemover}};
    EXPECT_EQ(2u, AddStartedPrograms(&family, look, 3, nullptr, 0));
    EXPECT_EQ(0u, AddStartedPrograms(&family, look, 3, nullptr, 0));
    EXPECT_EQ(3u, family.count);
}

}  // namespace
