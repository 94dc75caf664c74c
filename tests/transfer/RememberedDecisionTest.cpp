#include "config/Options.h"
#include "support/FtpServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"

#include <gtest/gtest.h>

namespace {

class RememberedDecisionTest : public TFtpTest {};

}  // namespace

// A local copy asks about its existing destination at once and the answer is remembered
// while an FTP copy is still logging in: the FTP worker reads the decision the main thread
// has just changed, or asks too when it was quicker. Both end overwritten either way.
TEST_F(RememberedDecisionTest, AnAnswerRememberedForOneWorkerServesTheOthers)
{
    TTaskBed bed(TBedClock::Real);
    TTempDir dir;
    Options().AlraedyInDiskWhatToDo = efAsk;
    // Overwrite and remember, twice in case the FTP worker asks too.
    const TScriptedDialogs::TExistingFileAnswer overwrite{.Decision = efOverwrite, .Remember = true};
    bed.Dialogs.ExistingFileAnswers = {overwrite, overwrite};
    const std::string remote = RandomBytes(300000, 1);
    const std::string local = RandomBytes(300000, 2);
    WriteFileBytes(Server().AnonDir() / "remote.bin", remote);
    WriteFileBytes(dir.File("src/local.bin"), local);
    WriteFileBytes(dir.File("dst/remote.bin"), "old");
    WriteFileBytes(dir.File("dst/local.bin"), "old");
    TTaskItem& ftp = bed.AddTask(Server().AnonLink("remote.bin"), dir.File("dst"));
    TTaskItem& file = bed.AddTask(dir.File("src/local.bin"), dir.File("dst"));
    ftp.Start();
    file.Start();
    ASSERT_TRUE(bed.WaitForWorker(ftp) && bed.WaitForWorker(file));
    EXPECT_EQ(ftp.State(), stateCompleted);
    EXPECT_EQ(file.State(), stateCompleted);
    EXPECT_TRUE(ReadFileBytes(dir.File("dst/remote.bin")) == remote);
    EXPECT_TRUE(ReadFileBytes(dir.File("dst/local.bin")) == local);
    EXPECT_EQ(Options().AlraedyInDiskWhatToDo, efOverwrite);
}
