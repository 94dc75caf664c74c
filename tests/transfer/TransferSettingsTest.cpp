#include "core/MessageCatalogue.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "transfer/Proxies.h"
#include "transfer/UserAgent.h"
#include "transfer/UserAgents.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class TransferSettings : public ::testing::Test {
protected:
    void SetUp() override { ClearMessageTexts(); }

    TRecordingBoxes Boxes;
    TTempDir Dir;

    std::string Write(const std::string& name, const std::string& text)
    {
        WriteFileBytes(Dir.File(name), text);
        return Dir.File(name);
    }
};

} // namespace

TEST_F(TransferSettings, AgentsWithoutAFileOfferTheProgramsOwnStringAndKeepTheirsOnSaving)
{
    TUserAgentCollection agents(Boxes);
    agents.LoadFromFile(Dir.File("user-agents.xml"));
    EXPECT_EQ(agents.ChoiceCount(), 3);
    EXPECT_EQ(agents.DefIndex, 0);
    EXPECT_EQ(agents.CurrentUserAgent(), QuorvexUserAgentString());
    EXPECT_EQ(agents.ChoiceAgent(2), "");
    EXPECT_EQ(agents.ChoiceName(-1), "");

    agents.AddUserAgent("Fetcher", "Fetcher/2.0");
    agents.AddUserAgent("Crawler", "Crawler/1.1");
    agents.DefIndex = 4;
    ASSERT_TRUE(agents.SaveToFile(""));
    TUserAgentCollection again(Boxes);
    again.LoadFromFile(agents.FileName());
    EXPECT_EQ(again.ChoiceCount(), 5);
    EXPECT_EQ(again.ChoiceName(3), "Fetcher");
    EXPECT_EQ(again.CurrentUserAgent(), "Crawler/1.1");
}

TEST_F(TransferSettings, DeletingAgentChoicesMovesOnlyTheCurrentOne)
{
    struct TCase {
        int Delete;
        int DefIndex;
        std::string Agent;   // what transfers then send
    };
    // Deleting an earlier choice leaves the index past the end: no agent at all.
    for (const TCase& c : {TCase{4, 3, "A/1"}, TCase{3, 4, ""}, TCase{1, 4, "B/2"}, TCase{5, 4, "B/2"}}) {
        SCOPED_TRACE(c.Delete);
        TUserAgentCollection agents(Boxes);
        agents.AddUserAgent("A", "A/1");
        agents.AddUserAgent("B", "B/2");
        agents.DefIndex = 4;
        agents.SetChoiceName(1, "renamed");
        agents.DeleteChoice(c.Delete);
        EXPECT_EQ(agents.DefIndex, c.DefIndex);
        EXPECT_EQ(agents.CurrentUserAgent(), c.Agent);
        EXPECT_EQ(agents.ChoiceName(1), "sImportFromIEUserAgentString");
    }
}

TEST_F(TransferSettings, ProxiesFileFallsBackPerValueAndKeepsEveryPropertyForItsUserAlone)
{
    TProxyCollection proxies(Boxes);
    proxies.LoadFromFile(Write("proxies.xml", "<ProxiesRoot><DefaultProxyFTP>x</DefaultProxyFTP><Proxies>"
                                              "<Proxy><Name>far</Name><Port>70000</Port></Proxy>"
                                              "<Proxy><Name>odd</Name><Port>many</Port><Type>3</Type></Proxy>"
                                              "</Proxies></ProxiesRoot>"));
    EXPECT_EQ(proxies.DefaultProxyFTP, 0);
    EXPECT_EQ(proxies.DefaultProxyHTTP, 1);
    ASSERT_EQ(proxies.Count(), 2);
    EXPECT_EQ(proxies[0].Port, 4464);
    EXPECT_EQ(proxies[1].Port, 3128);
    EXPECT_EQ(proxies[1].ProxyType, 3);

    TProxyItem& full = proxies.AddProxy("full");
    full.Addres = "proxy.lan";
    full.Port = 8080;
    full.ProxyUserName = "me";
    full.ProxyUserPassword = "secret";
    full.UseProxyAuthentication = true;
    full.ProxyProtocolFTP = false;
    proxies.DefaultProxyHTTP = 4;
    ASSERT_TRUE(proxies.SaveToFile(""));
    struct stat st {};
    ASSERT_EQ(stat(proxies.FileName().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(proxies.FileName().c_str()));
    std::string order;
    for (pugi::xml_node child : doc.child("ProxiesRoot").child("Proxies").last_child().children())
        order += std::string(child.name()) + " ";
    EXPECT_EQ(order, "Name Addres Port UseProxyAuthentication ProxyUserName ProxyUserPassword ProxyProtocolHTTP "
                     "ProxyProtocolFTP Type ");

    TProxyCollection again(Boxes);
    again.LoadFromFile(proxies.FileName());
    TProxyCollection copy(Boxes);
    copy.Assign(again);
    EXPECT_EQ(copy.FileName(), proxies.FileName());
    ASSERT_EQ(copy.Count(), 3);
    const TProxyItem& read = copy[2];
    EXPECT_EQ(read.Addres, "proxy.lan");
    EXPECT_EQ(read.Port, 8080);
    EXPECT_EQ(read.ProxyUserPassword, "secret");
    EXPECT_TRUE(read.UseProxyAuthentication);
    EXPECT_FALSE(read.ProxyProtocolFTP);
    EXPECT_EQ(copy.DefaultProxyHTTP, 4);
}

TEST_F(TransferSettings, AWayThatNamesNoProxyOfItsProtocolFollowsTheSystem)
{
    using platform::inet::TInetProxy;
    TProxyCollection proxies(Boxes);
    TProxyItem& web = proxies.AddProxy("web");
    web.Addres = "10.0.0.1";
    web.Port = 8080;
    web.ProxyProtocolFTP = false;
    web.ProxyUserName = "me";
    web.ProxyUserPassword = "pw";
    struct TCase {
        int Way;
        bool Ftp;
        bool Login;
        TInetProxy::TRoute Route;
        std::string User;
    };
    for (const TCase& c : {TCase{0, false, false, TInetProxy::prDirect, ""},
                           TCase{1, true, false, TInetProxy::prSystem, ""},
                           TCase{2, false, false, TInetProxy::prServer, ""},
                           TCase{2, false, true, TInetProxy::prServer, "me"},
                           TCase{2, true, true, TInetProxy::prSystem, ""},
                           TCase{3, false, true, TInetProxy::prSystem, ""},
                           TCase{-1, false, true, TInetProxy::prSystem, ""}}) {
        SCOPED_TRACE(std::to_string(c.Way) + (c.Ftp ? " ftp" : " http"));
        (c.Ftp ? proxies.DefaultProxyFTP : proxies.DefaultProxyHTTP) = c.Way;
        web.UseProxyAuthentication = c.Login;
        const TInetProxy route = proxies.Route(c.Ftp, ".lan");
        EXPECT_EQ(route.Route, c.Route);
        EXPECT_EQ(route.User, c.User);
        EXPECT_EQ(route.Bypass, ".lan");
        EXPECT_EQ(proxies.IsChoice(c.Way, c.Ftp), c.Route != TInetProxy::prSystem || c.Way == 1);
    }
    EXPECT_EQ(proxies.Choices(true).size(), 2u);
    EXPECT_EQ(proxies.Choices(false).back().Way, 2);
}

TEST_F(TransferSettings, BypassTextsBecomeNoProxyLists)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"*.lan; 192.168.1.7,intranet\n  10.0.0.0/8", ".lan,192.168.1.7,intranet,10.0.0.0/8"},
        {"<local>;192.168.*;*", "*"},
        {"*.*.lan", ""},
    };
    for (const auto& [typed, list] : cases)
        EXPECT_EQ(NoProxyList(typed), list) << typed;
}
