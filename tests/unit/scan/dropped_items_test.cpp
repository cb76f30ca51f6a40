// Dropped files and folders, through the drop's whole sequence: the lines,
// the questions and reports in order, and where the drop ends.
#include "common/expected_lines.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// D:\ holds x (CRC 0xA) and the folders f (files y 0xB and z 0xFFFFFFFF),
// empty, and outer (only a subfolder, holding w 0x3).
void LayDisk(MemoryDisk& disk)
{
    disk.AddFiles(L"D:\\", {{L"x", 0xAu}});
    disk.Add(L"D:\\", {{L"f", kFolder}, {L"empty", kFolder}, {L"outer", kFolder}});
    disk.AddFiles(L"D:\\f\\", {{L"y", 0xBu}, {L"z", 0xFFFFFFFFu}});
    disk.folders[L"D:\\empty\\"];
    disk.Add(L"D:\\outer\\", {{L"inner", kFolder}});
    disk.AddFiles(L"D:\\outer\\inner\\", {{L"w", 0x3u}});
}

const std::wstring kAskContinueEntry = L"ask Continue crc check? [Ferrow]";

struct Drop {
    const char* name;
    Lines paths;
    std::function<void(MemoryDisk&)> arrange;
    std::deque<int> answers;
    Lines lines;     // the list afterwards
    Lines journal;   // the questions and reports
};

class DropOf : public testing::TestWithParam<Drop> {};

TEST_P(DropOf, GivesEachItemItsLineAndEndsWhereTheUserSaysSo)
{
    const Drop& d = GetParam();
    TestProgram t;
    LayDisk(t.disk);
    if (d.arrange)
        d.arrange(t.disk);
    t.window.lines = {L"the usage text"};
    t.program.state.clearOnDrop = 1;
    t.window.answers = d.answers;
    EXPECT_TRUE(t.commands.CheckDroppedItems(d.paths));
    EXPECT_EQ(t.window.lines, d.lines);
    Lines journal;
    for (const std::wstring& entry : t.window.journal)
        if (entry.rfind(L"ask", 0) == 0 || entry.rfind(L"error", 0) == 0)
            journal.push_back(entry);
    EXPECT_EQ(journal, d.journal);
    EXPECT_EQ(t.window.status, L"Done");
    EXPECT_TRUE(t.window.buttons.print);
}

const Lines kCantOpenY{L"error Can't open file [D:\\f\\y]", kAskContinueEntry};

INSTANTIATE_TEST_SUITE_P(
    Items, DropOf,
    testing::Values(
        Drop{"FilesAndFoldersInTheOrderDropped", {L"D:\\x", L"D:\\f", L"D:\\x"}, nullptr, {},
             {L"0000000A\tD:\\x", L"0000000A\tD:\\f", L"0000000A\tD:\\x"}, {}},
        Drop{"AnEmptyFolderHasCrcZero", {L"D:\\empty"}, nullptr, {}, {L"00000000\tD:\\empty"}, {}},
        Drop{"AFolderOfOnlyASubfolderHasItsFilesSum", {L"D:\\outer"}, nullptr, {},
             {L"00000003\tD:\\outer"}, {}},
        Drop{"AVanishedPathStopsTheDrop", {L"D:\\gone", L"D:\\x"}, nullptr, {}, {},
             {L"error Unable to determine if this is a folder []"}},
        Drop{"AnUnreadableFileAnsweredYesGoesOnWithTheNextItem", {L"D:\\f\\y", L"D:\\x"},
             [](MemoryDisk& disk) { disk.unreadable = {L"D:\\f\\y"}; }, {kAnswerYes},
             {L"D:\\f\\y - unreadable", L"0000000A\tD:\\x"}, kCantOpenY},
        Drop{"AnUnreadableFileAnsweredNoIsNamedAndEndsTheDrop", {L"D:\\f\\y", L"D:\\x"},
             [](MemoryDisk& disk) { disk.unreadable = {L"D:\\f\\y"}; }, {kAnswerNo},
             {L"D:\\f\\y - unreadable"}, kCantOpenY},
        Drop{"AFolderWithAnUnreadableFileHasNoSumButSaysWhatItMissed", {L"D:\\f"},
             [](MemoryDisk& disk) { disk.unreadable = {L"D:\\f\\y"}; }, {kAnswerYes},
             {L"D:\\f - incomplete, 1 unreadable"}, kCantOpenY},
        Drop{"AFolderEndedByNoIsIncompleteAndTheDropGoesOn", {L"D:\\f", L"D:\\x"},
             [](MemoryDisk& disk) { disk.unreadable = {L"D:\\f\\y"}; }, {kAnswerNo},
             {L"D:\\f - incomplete, 1 unreadable", L"0000000A\tD:\\x"}, kCantOpenY}),
    [](const testing::TestParamInfo<Drop>& info) { return std::string(info.param.name); });

TEST(LaterDrops, AddToTheListAndLeaveItsEarlierLines)
{
    TestProgram t;
    LayDisk(t.disk);
    t.program.state.clearOnDrop = 1;
    t.commands.CheckDroppedItems({L"D:\\x"});
    t.commands.CheckDroppedItems({L"D:\\outer"});
    EXPECT_EQ(t.window.lines, (Lines{L"0000000A\tD:\\x", L"00000003\tD:\\outer"}));
    EXPECT_EQ(t.window.clears, 1);
}

}  // namespace
