// The file stream on local files: real files in a temporary folder.
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "platform/files/FileAccess.h"
#include "support/TempDir.h"
#include "transfer/TransferFileStream.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

class FileStream : public ::testing::Test {
protected:
    void SetUp() override { ClearMessageTexts(); }

    std::unique_ptr<TTransferFileStream> Open(const std::string& path, bool write)
    {
        auto stream = std::make_unique<TTransferFileStream>(path);
        stream->OnLog = [this](int code, const std::string& format, const TFormatArgs& args) {
            Log.emplace_back(code, FormatLogText(format, args));
        };
        stream->OpenSession();
        stream->OpenConnection();
        write ? stream->OpenWrite() : stream->OpenRead();
        return stream;
    }

    bool Logged(int code, const std::string& text) const
    {
        for (const auto& [c, t] : Log)
            if (c == code && t.find(text) != std::string::npos)
                return true;
        return false;
    }

    TTempDir Dir;
    Entries Log;
};

TEST_F(FileStream, LocalPathLogsNoSessionOrConnection)
{
    WriteFileBytes(Dir.File("a"), "abc");
    auto stream = Open(Dir.File("a"), false);
    stream->Close();
    stream->CloseConnection();
    stream->CloseSession();
    EXPECT_TRUE(stream->HostName().empty());
    const Entries expected = {{0, "sReadStreamOpened"}, {0, "sStreamClosed"}};
    EXPECT_EQ(Log, expected);
}

TEST_F(FileStream, ReadsBlocksUntilTheEnd)
{
    std::string content(100000, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = char(i * 7 + 3);
    WriteFileBytes(Dir.File("src"), content);
    // A pipe has no positions to read at: it is read as it comes.
    ASSERT_EQ(mkfifo(Dir.File("pipe").c_str(), 0600), 0);
    std::thread writer([&] { WriteFileBytes(Dir.File("pipe"), content); });
    for (const char* name : {"src", "pipe"}) {
        SCOPED_TRACE(name);
        auto stream = Open(Dir.File(name), false);
        std::string back;
        std::vector<char> buffer(65536);
        int64_t n;
        while ((n = stream->Read(buffer.data(), int64_t(buffer.size()))) > 0)
            back.append(buffer.data(), size_t(n));
        EXPECT_EQ(back, content);
        EXPECT_EQ(stream->Read(buffer.data(), 10), 0);
    }
    writer.join();
}

TEST_F(FileStream, SizeAndPositionKeepEachOther)
{
    WriteFileBytes(Dir.File("f"), std::string(1000, 'x'));
    auto stream = Open(Dir.File("f"), true);
    EXPECT_EQ(stream->Direction(), 1);
    EXPECT_EQ(stream->GetPosition(), 0);  // an existing file opens at 0
    stream->SetPosition(700);
    EXPECT_EQ(stream->GetSize(), 1000);   // its length is kept
    EXPECT_EQ(stream->GetPosition(), 700);
    stream->SetSize(400);                 // cuts; the position stays past the end
    EXPECT_EQ(stream->GetSize(), 400);
    EXPECT_EQ(stream->GetPosition(), 700);
    stream->Close();
    EXPECT_EQ(ReadFileBytes(Dir.File("f")), std::string(400, 'x'));
}

TEST_F(FileStream, ReservingAllocatesTheBlocksAndKeepsTheLength)
{
    // The length goes on telling where a partial copy's data ends.
    const int64_t size = 64 << 20;
    auto stream = Open(Dir.File("reserved"), true);
    ASSERT_EQ(stream->Write("abc", 3), 3);
    EXPECT_TRUE(stream->ReserveSpace(size));
    EXPECT_EQ(stream->GetSize(), 3);
    EXPECT_EQ(stream->GetPosition(), 3);
    stream->Close();
    struct stat st {};
    ASSERT_EQ(stat(Dir.File("reserved").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 3);
    EXPECT_GE(int64_t(st.st_blocks) * 512, size) << "the space is allocated, not only announced";
}

TEST_F(FileStream, PositionsBeyondFourGigabytes)
{
    const int64_t far = 5LL << 30;
    auto stream = Open(Dir.File("sparse"), true);
    stream->SetPosition(far);
    EXPECT_EQ(stream->GetPosition(), far);
    EXPECT_EQ(stream->Write("z", 1), 1);
    EXPECT_EQ(stream->GetSize(), far + 1);
    stream->SetSize(far);
    EXPECT_EQ(stream->GetSize(), far);
    stream->Close();
}

TEST_F(FileStream, OpenWriteCreatesMissingFolders)
{
    const std::string path = Dir.File("a/b/c/new.bin");
    auto stream = Open(path, true);
    stream->Write("data", 4);
    stream->Close();
    EXPECT_EQ(ReadFileBytes(path), "data");
}

TEST_F(FileStream, FailuresAreWordedInTheLog)
{
    struct Case {
        std::string path;
        bool write;
        std::string reason;
    };
    WriteFileBytes(Dir.File("plainfile"), "x");
    const std::vector<Case> cases = {
        {Dir.File("missing"), false, "No such file or directory"},
        {Dir.File("plainfile/under/file"), true, "Unable to create directory"},
        {"C:\\dl\\file.txt", true, "Drive paths"},
        {"D:\\file.txt", false, "Drive paths"},
    };
    for (const Case& c : cases) {
        Log.clear();
        EXPECT_THROW(Open(c.path, c.write), QuorvexError) << c.path;
        EXPECT_TRUE(Logged(4, c.write ? "sWriteStreamOpenFailed" : "sReadStreamOpenFailed")) << c.path;
        EXPECT_TRUE(Logged(4, c.reason)) << c.path;
    }
    EXPECT_FALSE(std::filesystem::exists("C:\\dl")) << "no odd file names in the working folder";
}

TEST_F(FileStream, FileTimeRoundTrips)
{
    WriteFileBytes(Dir.File("src"), "a");
    auto source = Open(Dir.File("src"), false);
    auto dest = Open(Dir.File("dst"), true);
    // 2021-03-04 05:06:07.1234567 UTC as a file time.
    const TFileTime time = (1614834367ULL + 11644473600ULL) * 10000000ULL + 1234567;
    dest->SetFileTime(time);
    EXPECT_EQ(dest->GetFileTime(), time);
    dest->SetFileTime(source->GetFileTime());
    EXPECT_EQ(dest->GetFileTime(), source->GetFileTime());
    dest->Close();
    struct stat a {}, b {};
    stat(Dir.File("src").c_str(), &a);
    stat(Dir.File("dst").c_str(), &b);
    EXPECT_EQ(a.st_mtim.tv_sec, b.st_mtim.tv_sec);
    EXPECT_EQ(a.st_mtim.tv_nsec / 100, b.st_mtim.tv_nsec / 100);
}

TEST_F(FileStream, AttributesCarryReadOnlyAndHidden)
{
    WriteFileBytes(Dir.File("ro"), "a");
    chmod(Dir.File("ro").c_str(), 0444);
    WriteFileBytes(Dir.File(".hidden"), "a");
    WriteFileBytes(Dir.File("copy"), "a");
    chmod(Dir.File("copy").c_str(), 0644);

    TTransferFileStream readOnly(Dir.File("ro")), hidden(Dir.File(".hidden")), copy(Dir.File("copy"));
    EXPECT_EQ(readOnly.GetAttributes(), platform::kAttrArchive | platform::kAttrReadOnly);
    EXPECT_EQ(hidden.GetAttributes(), platform::kAttrArchive | platform::kAttrHidden);

    copy.SetAttributes(readOnly.GetAttributes());
    struct stat st {};
    stat(Dir.File("copy").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    copy.SetAttributes(platform::kAttrArchive);
    stat(Dir.File("copy").c_str(), &st);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);

    // The same between open files, as a copy sets them.
    auto source = Open(Dir.File("ro"), false);
    auto dest = Open(Dir.File("copy"), true);
    for (const uint32_t attributes : {source->GetAttributes(), uint32_t(platform::kAttrArchive)}) {
        dest->SetAttributes(attributes);
        stat(Dir.File("copy").c_str(), &st);
        EXPECT_EQ((st.st_mode & 0222) == 0, (attributes & platform::kAttrReadOnly) != 0) << attributes;
    }
    dest->Close();

    // A source whose attributes cannot be read never changes the destination.
    TTransferFileStream missing(Dir.File("nothing"));
    EXPECT_EQ(missing.GetAttributes(), platform::kInvalidAttributes);
    copy.SetAttributes(platform::kInvalidAttributes);
    stat(Dir.File("copy").c_str(), &st);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST_F(FileStream, ExistsLooksForAnyEntry)
{
    WriteFileBytes(Dir.File("here"), "a");
    TTransferFileStream stream(Dir.File("here"));
    EXPECT_TRUE(stream.Exists());
    EXPECT_TRUE(stream.FileExists(Dir.Path().string()));
    EXPECT_FALSE(stream.FileExists(Dir.File("absent")));
    stream.SetName(Dir.File("absent"));
    EXPECT_FALSE(stream.Exists());
    EXPECT_EQ(stream.Name(), Dir.File("absent"));
}

TEST_F(FileStream, AFileFoundMissingIsMadeOrOpenedAsItStandsWhenMadeSince)
{
    for (const std::string between : {"", "made by another"}) {
        SCOPED_TRACE(between);
        const std::string path = Dir.File("late" + std::to_string(between.size()));
        TTransferFileStream stream(path);
        stream.OpenSession();
        stream.OpenConnection();
        ASSERT_FALSE(stream.Exists());
        if (!between.empty())
            WriteFileBytes(path, between);
        stream.OpenWrite();
        EXPECT_EQ(stream.GetSize(), int64_t(between.size()));
        stream.SetPosition(stream.GetSize());
        EXPECT_EQ(stream.Write("ab", 2), 2);
        // The mode of the file, never asked at its making, is still changed right.
        stream.SetAttributes(platform::kAttrArchive | platform::kAttrReadOnly);
        EXPECT_TRUE(stream.Close());
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0222, 0u);
        EXPECT_NE(st.st_mode & S_IRUSR, 0u);
        EXPECT_EQ(ReadFileBytes(path), between + "ab");
    }
}

TEST_F(FileStream, MakeUniqueNameOnDisk)
{
    WriteFileBytes(Dir.File("report.txt"), "a");
    WriteFileBytes(Dir.File("report[1].txt"), "a");
    TTransferFileStream stream(Dir.File("report.txt"));
    EXPECT_EQ(stream.MakeUniqueName(), Dir.File("report[2].txt"));
}

TEST_F(FileStream, CredentialsGivenAlwaysWin)
{
    TTransferFileStream stream("\\\\srv\\share\\f", "", "");
    EXPECT_EQ(stream.HostName(), "srv");
    EXPECT_EQ(stream.UserName(), "");
    TTransferFileStream withUser("\\\\srv\\share\\f", "bob", "");
    EXPECT_EQ(withUser.UserName(), "bob");
    EXPECT_EQ(withUser.Password(), "");
}

} // namespace
