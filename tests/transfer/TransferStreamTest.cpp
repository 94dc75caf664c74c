// The logged-step rules of every stream, on a stream whose primitives fail on demand.
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "transfer/TransferStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

class TScriptedStream : public TTransferStream {
public:
    TScriptedStream(const std::string& name, const std::string& host) : TTransferStream(name)
    {
        HostName_ = host;
    }

    std::set<std::string> Failing;  // primitives that raise
    std::string FailureText = "broken\r\npipe";
    std::string Response;
    int64_t Position = 0;
    std::set<std::string> Existing;

    bool CanResume() override { return true; }
    bool CanReserveSpace() override { return false; }
    void SetName(const std::string& name) override { Name_ = name; }
    bool Exists() override { return FileExists(Name_); }
    bool FileExists(const std::string& name) override { return Existing.count(name) > 0; }
    std::string GetResponseText() override { return Response; }

protected:
    void Step(const char* name)
    {
        if (Failing.count(name))
            throw QuorvexError(FailureText);
    }
    void ParseName() override {}
    int64_t DoGetPosition() override { Step("GetPosition"); return Position; }
    void DoSetPosition(int64_t p) override { Step("SetPosition"); Position = p; }
    int64_t DoGetSize() override { Step("GetSize"); return 1234; }
    void DoSetSize(int64_t) override { Step("SetSize"); }
    TFileTime DoGetFileTime() override { Step("GetFileTime"); return 42; }
    void DoSetFileTime(TFileTime) override { Step("SetFileTime"); }
    void DoOpenSession() override { Step("OpenSession"); }
    void DoOpenConnection() override { Step("OpenConnection"); }
    void DoOpenRead() override { Step("OpenRead"); }
    void DoOpenWrite() override { Step("OpenWrite"); }
    void DoClose() override { Step("Close"); }
    void DoCloseConnection() override { Step("CloseConnection"); }
    void DoCloseSession() override { Step("CloseSession"); }
    int64_t DoRead(void*, int64_t count) override { Step("Read"); return count; }
    int64_t DoWrite(const void*, int64_t count) override { Step("Write"); return count; }
    uint32_t DoGetAttributes() override { Step("GetAttributes"); return 0x20; }
    void DoSetAttributes(uint32_t) override { Step("SetAttributes"); }
};

class TransferStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearMessageTexts();
        SetMessageText("sReadStreamOpened", "Opened %s");
        SetMessageText("sReadStreamOpenFailed", "Cannot open %s");
        SetMessageText("sSetPositionFailed", "Cannot seek %s to %s");
        SetMessageText("sSizeByte", "B");
    }
    void TearDown() override { ClearMessageTexts(); }

    TScriptedStream& MakeStream(const std::string& host = "srv")
    {
        Stream = std::make_unique<TScriptedStream>("name%d", host);
        Stream->OnLog = [this](int code, const std::string& format, const TFormatArgs& args) {
            Log.emplace_back(code, FormatLogText(format, args));
        };
        return *Stream;
    }

    std::unique_ptr<TScriptedStream> Stream;
    Entries Log;
};

TEST_F(TransferStream, SuccessEntriesFollowTheStepKind)
{
    struct Case {
        const char* name;
        std::function<void(TTransferStream&)> call;
        std::string host;
        bool detailed;
        Entries expected;
    };
    const std::vector<Case> cases = {
        // Opening: success entry, then the reply.
        {"OpenRead", [](TTransferStream& s) { s.OpenRead(); }, "srv", true, {{0, "Opened name%d"}, {2, "220 ok"}}},
        {"OpenRead, not detailed", [](TTransferStream& s) { s.OpenRead(); }, "srv", false, {{0, "Opened name%d"}}},
        {"OpenSession", [](TTransferStream& s) { s.OpenSession(); }, "srv", true, {{0, "sSessionInitialized"}, {2, "220 ok"}}},
        // No host: no session or connection entries; the reply still shows.
        {"OpenConnection, no host", [](TTransferStream& s) { s.OpenConnection(); }, "", true, {{2, "220 ok"}}},
        // Closing: the reply first, then the success entry.
        {"Close", [](TTransferStream& s) { s.Close(); }, "srv", true, {{2, "220 ok"}, {0, "sStreamClosed"}}},
        {"CloseConnection", [](TTransferStream& s) { s.CloseConnection(); }, "srv", true, {{2, "220 ok"}, {0, "sConnectionFinalized"}}},
        // Queries: the reply only.
        {"GetSize", [](TTransferStream& s) { s.GetSize(); }, "srv", true, {{2, "220 ok"}}},
        // Data: nothing at all.
        {"Read", [](TTransferStream& s) { char b[4]; s.Read(b, 4); }, "srv", true, {}},
    };
    for (const Case& c : cases) {
        Log.clear();
        TScriptedStream& stream = MakeStream(c.host);
        stream.Response = "220 ok";
        stream.DetailedInfo = c.detailed;
        c.call(stream);
        EXPECT_EQ(Log, c.expected) << c.name;
    }
}

TEST_F(TransferStream, FailuresArePassedOnOrAbsorbedPerOperation)
{
    struct Case {
        const char* primitive;
        std::function<int64_t(TTransferStream&)> call;
        bool passesOn;
        int64_t neutral;
    };
    const std::vector<Case> cases = {
        {"OpenSession", [](TTransferStream& s) { s.OpenSession(); return 0; }, true, 0},
        {"OpenConnection", [](TTransferStream& s) { s.OpenConnection(); return 0; }, true, 0},
        {"OpenRead", [](TTransferStream& s) { s.OpenRead(); return 0; }, true, 0},
        {"OpenWrite", [](TTransferStream& s) { s.OpenWrite(); return 0; }, true, 0},
        {"Read", [](TTransferStream& s) { char b[1]; return s.Read(b, 1); }, true, 0},
        {"Write", [](TTransferStream& s) { char b[1] = {}; return s.Write(b, 1); }, true, 0},
        {"Close", [](TTransferStream& s) { s.Close(); return 0; }, false, 0},
        {"CloseConnection", [](TTransferStream& s) { s.CloseConnection(); return 0; }, false, 0},
        {"CloseSession", [](TTransferStream& s) { s.CloseSession(); return 0; }, false, 0},
        {"GetFileTime", [](TTransferStream& s) { return int64_t(s.GetFileTime()); }, false, 0},
        {"GetPosition", [](TTransferStream& s) { return s.GetPosition(); }, false, 0},
        {"GetSize", [](TTransferStream& s) { return s.GetSize(); }, false, 0},
        {"SetSize", [](TTransferStream& s) { s.SetSize(5); return 0; }, false, 0},
        {"GetAttributes", [](TTransferStream& s) { return int64_t(s.GetAttributes()); }, false, 0},
        {"SetAttributes", [](TTransferStream& s) { s.SetAttributes(1); return 0; }, false, 0},
        {"SetFileTime", [](TTransferStream& s) { s.SetFileTime(7); return 0; }, false, 0},
    };
    for (const Case& c : cases) {
        TScriptedStream& stream = MakeStream();
        stream.Failing = {c.primitive};
        if (c.passesOn) {
            EXPECT_THROW(c.call(stream), QuorvexError) << c.primitive;
        } else {
            int64_t result = -1;
            EXPECT_NO_THROW(result = c.call(stream)) << c.primitive;
            EXPECT_EQ(result, c.neutral) << c.primitive;
        }
        // The error text is logged as one line.
        EXPECT_NE(std::find(Log.begin(), Log.end(), std::pair<int, std::string>{4, "broken pipe"}), Log.end())
            << c.primitive;
        Log.clear();
    }
}

TEST_F(TransferStream, FailureEntriesCarryMessageErrorTextAndReply)
{
    TScriptedStream& stream = MakeStream();
    stream.Failing = {"OpenRead"};
    stream.Response = "550 100% missing";
    EXPECT_THROW(stream.OpenRead(), QuorvexError);
    const Entries expected = {{4, "Cannot open name%d"}, {4, "broken pipe"}, {5, "550 100% missing"}};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(stream.LastErrorText(), "550 100% missing");
}

TEST_F(TransferStream, FailedLogoutLogsNoReply)
{
    TScriptedStream& stream = MakeStream();
    stream.Failing = {"CloseConnection", "CloseSession"};
    stream.Response = "421 bye";
    stream.CloseConnection();
    stream.CloseSession();
    const Entries expected = {{4, "sConnectionFinalizeFailed"}, {4, "broken pipe"},
                              {4, "sSessionFinalizeFailed"}, {4, "broken pipe"}};
    EXPECT_EQ(Log, expected);
}

TEST_F(TransferStream, SetPositionFailureNamesThePositionAsASize)
{
    TScriptedStream& stream = MakeStream();
    stream.Failing = {"SetPosition"};
    stream.SetPosition(400);
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), (std::pair<int, std::string>{4, "Cannot seek name%d to 400 B"}));
}

TEST_F(TransferStream, ZeroTimeAndZeroAttributesAreNeverWritten)
{
    TScriptedStream& stream = MakeStream();
    stream.Failing = {"GetFileTime", "GetAttributes", "SetFileTime", "SetAttributes"};
    Log.clear();
    stream.SetFileTime(stream.GetFileTime());
    stream.SetAttributes(stream.GetAttributes());
    // Only the two failed reads are logged; the writes of their neutral values do nothing.
    const Entries expected = {{4, "sGetDateFailed"}, {4, "broken pipe"}, {4, "sGetAttributesFailed"}, {4, "broken pipe"}};
    EXPECT_EQ(Log, expected);
}

TEST_F(TransferStream, CloseAfterAFailedCloseDoesNotInterruptTheCaller)
{
    TScriptedStream& stream = MakeStream();
    stream.Failing = {"Close"};
    EXPECT_NO_THROW(stream.Close());
    EXPECT_NO_THROW(stream.Close());
    EXPECT_EQ(Log.size(), 4u);
}

TEST_F(TransferStream, NothingIsLoggedWithoutASink)
{
    TScriptedStream stream("x", "srv");
    stream.Failing = {"OpenRead"};
    EXPECT_THROW(stream.OpenRead(), QuorvexError);
}

TEST_F(TransferStream, EmptyNameFailsBeforeAnythingIsLogged)
{
    SetMessageText("sEmptyFileName", "The file name is empty");
    try {
        TScriptedStream stream("", "");
        FAIL() << "an empty name must fail";
    } catch (const QuorvexError& e) {
        EXPECT_STREQ(e.what(), "The file name is empty");
    }
}

TEST_F(TransferStream, OtherFailuresPassUntouched)
{
    struct TForeign {};
    class TForeignStream : public TScriptedStream {
    public:
        using TScriptedStream::TScriptedStream;
        void DoOpenRead() override { throw TForeign{}; }
    };
    TForeignStream stream("x", "srv");
    stream.OnLog = [this](int code, const std::string& f, const TFormatArgs& a) { Log.emplace_back(code, FormatLogText(f, a)); };
    EXPECT_THROW(stream.OpenRead(), TForeign);
    EXPECT_TRUE(Log.empty());
}

TEST_F(TransferStream, MakeUniqueNameTakesTheFirstFreeNumber)
{
    struct Case {
        std::string name;
        std::set<std::string> existing;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"/dl/report.txt", {"/dl/report[1].txt", "/dl/report[2].txt"}, "/dl/report[3].txt"},
        {"/dl/report.txt", {}, "/dl/report[1].txt"},
        {"/dl/100%done.txt", {}, "/dl/100%done[1].txt"},     // "%" stays as it is
        {"/dl/README", {"/dl/README[1]"}, "/dl/README[2]"},  // no extension: no trailing dot
        {"\\\\srv\\share\\a.tar.gz", {}, "\\\\srv\\share\\a.tar[1].gz"},
        {"/dl/.profile", {}, "/dl/[1].profile"},
    };
    for (const Case& c : cases) {
        TScriptedStream stream(c.name, "");
        stream.Existing = c.existing;
        EXPECT_EQ(stream.MakeUniqueName(), c.expected) << c.name;
    }
}

} // namespace
