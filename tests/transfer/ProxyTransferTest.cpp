#include "config/Options.h"
#include "support/FtpServer.h"
#include "support/NginxServer.h"
#include "support/ProxyServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "transfer/Proxies.h"
#include "transfer/UserAgents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// Sets an environment variable (or removes it, for nullopt) until the end of the scope.
class TScopedEnv {
public:
    TScopedEnv(const char* name, std::optional<std::string> value) : Name_(name)
    {
        if (const char* old = std::getenv(name))
            Old_ = old;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~TScopedEnv() { Old_ ? setenv(Name_, Old_->c_str(), 1) : unsetenv(Name_); }

private:
    const char* Name_;
    std::optional<std::string> Old_;
};

class ProxyTransfer : public TNginxTest {
protected:
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dest;
    TProxyServer* Proxy = nullptr;
    TProxyCollection Proxies{Bed.Boxes};

    void SetUp() override
    {
        TNginxTest::SetUp();
        if (IsSkipped())
            return;
        FindServerOrSkip(Proxy);
        if (!Proxy)
            return;
        TProxyItem& open = Proxies.AddProxy("open");
        open.Addres = "127.0.0.1";
        open.Port = uint16_t(Proxy->Port());
        TProxyItem& guarded = Proxies.AddProxy("guarded");
        guarded.Addres = "127.0.0.1";
        guarded.Port = uint16_t(Proxy->AuthPort());
        guarded.ProxyUserName = TProxyServer::User;
        guarded.ProxyUserPassword = TProxyServer::Password;
        Bed.Environment.Proxies = &Proxies;
    }

    // Downloads a new file with the HTTP way given; true when the proxies were asked for it.
    bool DownloadAsksProxy(int way, const std::string& name, TTaskState expected)
    {
        Proxies.DefaultProxyHTTP = way;
        const std::string bytes = RandomBytes(50000, unsigned(name.size()));
        WriteFileBytes(Server().DocRoot() / name, bytes);
        const std::string url = Server().HttpUrl(name);
        TTaskItem& task = Bed.AddTask(url, Dest.Path().string());
        EXPECT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), expected) << testing::PrintToString(Bed.LogLines(task));
        if (expected == stateCompleted) {
            EXPECT_TRUE(ReadFileBytes(Dest.File(name)) == bytes);
        }
        const std::vector<std::string> requests = Proxy->Requests();
        return std::any_of(requests.begin(), requests.end(),
                           [&](const std::string& line) { return line.find("GET " + url + " ") == 0; });
    }
};

class HttpTransferAgent : public TNginxTest {
protected:
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dest;
};

} // namespace

TEST_F(ProxyTransfer, GoesThroughTheChosenProxyWithItsLoginUnlessTheHostIsBypassed)
{
    struct TCase {
        const char* Name;
        int Way;
        bool Login;
        const char* Bypass;   // with bProxyBypass on; none when null
        bool Proxied;
        TTaskState State;
    };
    const TCase cases[] = {
        {"open.bin", TProxyCollection::kFirstProxy, false, nullptr, true, stateCompleted},
        {"login.bin", TProxyCollection::kFirstProxy + 1, true, nullptr, true, stateCompleted},
        // The proxy asks for the login that was not given: no file comes.
        {"nologin.bin", TProxyCollection::kFirstProxy + 1, false, nullptr, true, stateError},
        {"bypassed.bin", TProxyCollection::kFirstProxy, false, "*.example.org; 127.0.0.1", false, stateCompleted},
        // A list that names other hosts sends nothing past the proxy.
        {"listed.bin", TProxyCollection::kFirstProxy, false, "*.example.org;<local>", true, stateCompleted},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Proxies[1].UseProxyAuthentication = c.Login;
        Options().bProxyBypass = c.Bypass != nullptr;
        Options().sProxyBypass = c.Bypass ? c.Bypass : "";
        EXPECT_EQ(DownloadAsksProxy(c.Way, c.Name, c.State), c.Proxied);
    }
}

TEST_F(ProxyTransfer, NoProxyIgnoresTheEnvironmentWhichTheSystemsSettingsFollow)
{
    const TScopedEnv proxy("http_proxy", "http://127.0.0.1:" + std::to_string(Proxy->Port()));
    const TScopedEnv noProxy("no_proxy", std::nullopt);
    const TScopedEnv noProxyUpper("NO_PROXY", std::nullopt);
    EXPECT_TRUE(DownloadAsksProxy(TProxyCollection::kSystem, "system.bin", stateCompleted));
    // The same server straight after: the connection kept from the proxied download must
    // not carry it.
    EXPECT_FALSE(DownloadAsksProxy(TProxyCollection::kDirect, "direct.bin", stateCompleted));
}

TEST_F(ProxyTransfer, FtpKeepsItsOwnCommandsInATunnelThroughTheProxy)
{
    TFtpServer* ftp = nullptr;
    FindServerOrSkip(ftp);
    if (!ftp)
        return;
    Options().bUsePassiveFTP = true;
    Proxies.DefaultProxyFTP = TProxyCollection::kFirstProxy;
    const std::string bytes = RandomBytes(80000, 3);
    WriteFileBytes(ftp->AnonDir() / "tunnel.bin", bytes);
    TTaskItem& task = Bed.AddTask(ftp->AnonLink("tunnel.bin"), Dest.Path().string());
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted) << testing::PrintToString(Bed.LogLines(task));
    EXPECT_TRUE(ReadFileBytes(Dest.File("tunnel.bin")) == bytes);
    const std::vector<std::string> requests = Proxy->Requests();
    const std::string control = "CONNECT 127.0.0.1:" + std::to_string(ftp->Port()) + " ";
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(),
                            [&](const std::string& line) { return line.find(control) == 0; }));
}

TEST_F(HttpTransferAgent, TasksSendTheChosenAgentStringOrNone)
{
    TUserAgentCollection agents(Bed.Boxes);
    agents.AddUserAgent("Fetcher", "Fetcher/2.0 (test)");
    Bed.Environment.UserAgents = &agents;
    for (const auto& [choice, sent] : {std::pair{3, "Fetcher/2.0 (test)"}, std::pair{2, "-"}}) {
        SCOPED_TRACE(choice);
        agents.DefIndex = choice;
        const std::string name = "agent" + std::to_string(choice) + ".bin";
        WriteFileBytes(Server().DocRoot() / name, "x");
        TTaskItem& task = Bed.AddTask(Server().HttpUrl(name), Dest.Path().string());
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        const std::vector<std::string> log = Server().AccessLog();
        const auto line = std::find_if(log.begin(), log.end(), [&](const std::string& entry) {
            return entry.find("GET /" + name + " ") == 0;
        });
        ASSERT_NE(line, log.end());
        EXPECT_NE(line->find(std::string("|") + sent + "|"), std::string::npos) << *line;
    }
}
