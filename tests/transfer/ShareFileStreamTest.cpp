// The file stream on shares of a real smbd (started once for this binary).
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "platform/files/FileAccess.h"
#include "support/SambaServer.h"
#include "transfer/TransferFileStream.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

class ShareFileStream : public TSambaTest {
protected:
    void SetUp() override
    {
        TSambaTest::SetUp();
        ClearMessageTexts();
        SetMessageText("sConnectionInitialized", "Logged in to %s");
        SetMessageText("sConnectionInitializeFailed", "Cannot log in to %s");
    }

    // Opens a stream through session, connection and file; throws as the steps do.
    std::unique_ptr<TTransferFileStream> Open(const std::string& unc, bool write, const std::string& user = "",
                                              const std::string& password = "")
    {
        auto stream = std::make_unique<TTransferFileStream>(unc, user, password);
        stream->OnLog = [this](int code, const std::string& format, const TFormatArgs& args) {
            Log.emplace_back(code, FormatLogText(format, args));
        };
        stream->OpenSession();
        stream->OpenConnection();
        Connected.push_back(stream.get());
        write ? stream->OpenWrite() : stream->OpenRead();
        return stream;
    }

    void Finish(TTransferFileStream& stream)
    {
        stream.Close();
        stream.CloseConnection();
        stream.CloseSession();
    }

    bool Logged(int code, const std::string& text) const
    {
        for (const auto& [c, t] : Log)
            if (c == code && t.find(text) != std::string::npos)
                return true;
        return false;
    }

    static std::string Pattern(size_t size)
    {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = char((i * 131 + i / 251) & 0xFF);
        return bytes;
    }

    Entries Log;
    std::vector<TTransferFileStream*> Connected;
};

TEST_F(ShareFileStream, ReadsFromEachShare)
{
    struct Case {
        const char* share;
        bool needsUser;
    };
    for (const Case c : {Case{"public", false}, Case{"private", true}}) {
        const std::string content = Pattern(300000) + c.share;
        const auto dir = c.needsUser ? Server().PrivateDir() : Server().PublicDir();
        WriteFileBytes(dir / "in" / "source.bin", content);
        const std::string unc = c.needsUser ? Server().PrivateUnc("in/source.bin") : Server().PublicUnc("in/source.bin");
        Log.clear();
        auto stream = c.needsUser ? Open(unc, false, Server().UserName(), Server().Password()) : Open(unc, false);
        EXPECT_EQ(stream->HostName(), Server().Host());
        EXPECT_EQ(stream->GetSize(), int64_t(content.size()));

        std::string back;
        std::vector<char> buffer(64 * 1024);
        for (int64_t n; (n = stream->Read(buffer.data(), int64_t(buffer.size()))) > 0;)
            back.append(buffer.data(), size_t(n));
        Finish(*stream);
        EXPECT_EQ(back, content) << c.share;
        EXPECT_TRUE(Logged(0, "Logged in to " + Server().Host())) << c.share;
        EXPECT_TRUE(Logged(0, "sConnectionFinalized")) << c.share;
    }
}

TEST_F(ShareFileStream, WritesIntoANewFolderOfAShare)
{
    const std::string content = Pattern(100001);
    auto stream = Open(Server().PublicUnc("made/here/out.bin"), true);
    EXPECT_EQ(stream->Write(content.data(), int64_t(content.size())), int64_t(content.size()));
    Finish(*stream);
    EXPECT_EQ(ReadFileBytes(Server().PublicDir() / "made" / "here" / "out.bin"), content);
}

TEST_F(ShareFileStream, LoginFailuresStopAtTheConnection)
{
    struct Case {
        const char* what;
        std::string unc;
        std::string user;
        std::string password;
    };
    const std::vector<Case> cases = {
        {"wrong password", Server().PrivateUnc("x"), Server().UserName(), "not-the-password"},
        {"guest on the private share", Server().PrivateUnc("x"), "", ""},
        {"unknown share", "\\\\" + Server().Host() + "\\nosuchshare\\x", "", ""},
    };
    for (const Case& c : cases) {
        Log.clear();
        EXPECT_THROW(Open(c.unc, false, c.user, c.password), QuorvexError) << c.what;
        EXPECT_TRUE(Logged(4, "Cannot log in to " + Server().Host())) << c.what;
        // The second failure entry is the reason in words.
        ASSERT_GE(Log.size(), 2u) << c.what;
        EXPECT_FALSE(Log[1].second.empty()) << c.what;
        EXPECT_EQ(Log[1].first, 4) << c.what;
    }
}

TEST_F(ShareFileStream, MissingFileFailsToOpen)
{
    EXPECT_THROW(Open(Server().PublicUnc("no/such/file"), false), QuorvexError);
    EXPECT_TRUE(Logged(4, "sReadStreamOpenFailed"));
    EXPECT_TRUE(Logged(4, "No such file or directory"));
}

TEST_F(ShareFileStream, SizeAndPositionOnAShareFile)
{
    WriteShareFile(Server().PublicDir() / "sized.bin", std::string(5000, 'q'));
    auto stream = Open(Server().PublicUnc("sized.bin"), true);
    stream->SetPosition(1200);
    EXPECT_EQ(stream->GetSize(), 5000);
    EXPECT_EQ(stream->GetPosition(), 1200);
    stream->SetSize(3000);  // cut
    EXPECT_EQ(stream->GetSize(), 3000);
    stream->SetSize(1 << 20);  // grow
    EXPECT_EQ(stream->GetSize(), 1 << 20);
    EXPECT_EQ(stream->GetPosition(), 1200);
    stream->Write("AB", 2);
    Finish(*stream);
    const std::string onDisk = ReadFileBytes(Server().PublicDir() / "sized.bin");
    ASSERT_EQ(onDisk.size(), size_t(1 << 20));
    EXPECT_EQ(onDisk.substr(1198, 4), std::string("qqAB"));
    EXPECT_EQ(onDisk[3000], '\0');
}

TEST_F(ShareFileStream, TimeAndAttributesCrossBetweenShareAndDisk)
{
    TTempDir local;
    WriteFileBytes(Server().PublicDir() / "dated.txt", "dated");
    struct timespec times[2] = {{1600000000, 0}, {1600000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (Server().PublicDir() / "dated.txt").c_str(), times, 0), 0);

    auto source = Open(Server().PublicUnc("dated.txt"), false);
    auto dest = Open(local.File("dated.txt"), true);
    dest->SetFileTime(source->GetFileTime());
    dest->SetAttributes(source->GetAttributes() | platform::kAttrReadOnly);
    Finish(*dest);
    Finish(*source);
    struct stat st {};
    ASSERT_EQ(stat(local.File("dated.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(st.st_mode & 0222, 0u);

    // And back: a local file's time and read-only mark given to a share file.
    auto localSource = Open(local.File("dated.txt"), false);
    auto shareDest = Open(Server().PublicUnc("copied.txt"), true);
    shareDest->Write("dated", 5);  // as in a copy: data first, then time and attributes
    shareDest->SetFileTime(localSource->GetFileTime());
    shareDest->SetAttributes(localSource->GetAttributes());
    Finish(*shareDest);
    struct stat copied {};
    ASSERT_EQ(stat((Server().PublicDir() / "copied.txt").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mtim.tv_sec, 1600000000) << "the time survives the close of the written file";
    Finish(*localSource);
    TTransferFileStream check(Server().PublicUnc("copied.txt"));
    check.OpenConnection();
    EXPECT_NE(check.GetAttributes() & platform::kAttrReadOnly, 0u);
    check.CloseConnection();
}

TEST_F(ShareFileStream, ExistsAndUniqueNamesOnAShare)
{
    WriteFileBytes(Server().PublicDir() / "u" / "file.txt", "1");
    WriteFileBytes(Server().PublicDir() / "u" / "file[1].txt", "2");
    TTransferFileStream stream(Server().PublicUnc("u/file.txt"));
    stream.OpenConnection();
    EXPECT_TRUE(stream.Exists());
    EXPECT_EQ(stream.MakeUniqueName(), Server().PublicUnc("u/file[2].txt"));
    stream.CloseConnection();
}

} // namespace
