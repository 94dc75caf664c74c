#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskListFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The sources of a list file's tasks, as another manager reads them.
std::vector<std::string> SourcesIn(const std::string& file)
{
    TTaskBed bed;
    TManagerTask& manager = bed.OpenManager(file);
    std::vector<std::string> sources;
    for (int i = 0; i < manager.Tasks().Count(); ++i)
        sources.push_back(manager.Tasks()[i].Source);
    return sources;
}

void WriteList(const std::string& file, const std::string& source)
{
    WriteFileBytes(file, "<List><Task><Source>" + source + "</Source></Task></List>");
}

using TSources = std::vector<std::string>;

} // namespace

TEST(TaskListFileNamesTest, SaveWritesTheRememberedFileWhileAutomaticSavingWritesTheCurrentOne)
{
    TTempDir dir;
    WriteList(dir.File("default.qtl"), "/a");
    WriteList(dir.File("other.qtl"), "/b");
    WriteList(dir.File("three.qtl"), "/t");
    TTaskBed bed;
    TManagerTask& manager = bed.OpenManager(dir.File("default.qtl"));
    TTaskListFile list(manager, dir.File("default.qtl"));
    const auto autoSave = [&] {
        bed.AddTask("/x", "/d", stateStopped);
        manager.SaveToFile({});
    };

    const struct {
        const char* step;
        std::function<void()> action;
        const char* current;
        const char* remembered;
        const char* file;  // and its tasks after the step
        TSources sources;
    } steps[] = {
        // clang-format off
        {"open", [&] { list.Open(dir.File("other.qtl")); }, "other.qtl", "default.qtl", "default.qtl", {"/a"}},
        {"automatic save", autoSave, "other.qtl", "default.qtl", "other.qtl", {"/b", "/x"}},
        {"save", [&] { EXPECT_TRUE(list.Save()); }, "default.qtl", "default.qtl", "default.qtl", {"/b", "/x"}},
        {"new", [&] { list.New(dir.File("empty.qtl")); }, "empty.qtl", "default.qtl", "empty.qtl", {}},
        {"append", [&] { list.Append(dir.File("other.qtl")); }, "other.qtl", "default.qtl", "other.qtl", {"/b", "/x"}},
        {"save as", [&] { EXPECT_TRUE(list.SaveAs(dir.File("new.qtl"))); }, "new.qtl", "new.qtl", "new.qtl",
         {"/b", "/x"}},
        {"open", [&] { list.Open(dir.File("three.qtl")); }, "three.qtl", "new.qtl", "three.qtl", {"/t"}},
        {"automatic save", autoSave, "three.qtl", "new.qtl", "new.qtl", {"/b", "/x"}},
        {"save", [&] { EXPECT_TRUE(list.Save()); }, "new.qtl", "new.qtl", "new.qtl", {"/t", "/x"}},
        // clang-format on
    };
    for (const auto& s : steps) {
        s.action();
        EXPECT_EQ(manager.FileName(), dir.File(s.current)) << s.step;
        EXPECT_EQ(list.RememberedFileName(), dir.File(s.remembered)) << s.step;
        EXPECT_EQ(SourcesIn(dir.File(s.file)), s.sources) << s.step;
    }
}
