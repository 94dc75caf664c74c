#include "HostBed.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "hosts/HostColumns.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class ManagerHostTest : public ::testing::Test {
protected:
    void SetUp() override { ClearMessageTexts(); }

    THostBed Host;
    TManagerHost& Hosts = Host.OpenHosts();
    TTempDir Dir;

    // Names of the rows, top to bottom.
    std::string Names() const
    {
        std::string names;
        for (const THost* host : Hosts.Rows().Records())
            names += host->Name;
        return names;
    }
    void Select(const std::string& names)
    {
        for (int row = 0; row < Hosts.Rows().Count(); ++row)
            Hosts.Rows().Row(row).Selected = names.find(Hosts.Rows().Record(row)->Name) != std::string::npos;
    }
    TTaskItem& Task(const std::string& source, const std::string& destination = "/dst")
    {
        return Host.Bed.AddTask(source, destination, stateStopped);
    }
};

} // namespace

TEST_F(ManagerHostTest, FindHostTakesTheFirstAddressThatBeginsThePath)
{
    Host.AddHost("\\\\srv\\", 0, "a");
    Host.AddHost("ftp://files", 0, "b");
    Host.AddHost("ftp://files2", 0, "c");
    Host.AddHost("\\\\Ärger\\", 0, "d");
    const std::pair<const char*, const char*> cases[] = {
        {"\\\\SRV\\share\\f.txt", "a"},
        {"ftp://files2/x", "b"},  // a plain prefix test: the earlier host governs
        {"FTP://Files/x", "b"},
        {"ftp://user:pw@files/x", "b"},  // a link's credentials are no part of its server
        {"\\\\ärger\\s\\f", "d"},
        {"\\\\srv2\\share", ""},
        {"ftp://file", ""},
        {"", ""},
    };
    for (auto [path, name] : cases) {
        const THost* host = Hosts.FindHost(path);
        EXPECT_EQ(host ? host->Name : "", name) << path;
    }
    Host.AddHost("", 0, "e");  // covers every path but the empty one
    EXPECT_EQ(Hosts.FindHost("http://x/y")->Name, "e");
    EXPECT_EQ(Hosts.FindHost(""), nullptr);
}

TEST_F(ManagerHostTest, ConnectionsCountAgainstTheLimitAndNeverBelowZero)
{
    THost& limited = Host.AddHost("\\\\srv\\", 2);
    THost& open = Host.AddHost("ftp://open", 0);
    const std::string path = "\\\\srv\\s\\f";
    Hosts.ConnectionOpened(path);
    EXPECT_TRUE(Hosts.CanConnect(path));
    Hosts.ConnectionOpened(path);
    EXPECT_FALSE(Hosts.CanConnect(path));
    EXPECT_EQ(HostColumnText(limited, hcConnections), "2/2");
    for (int i = 0; i < 3; ++i)
        Hosts.ConnectionClosed(path);
    EXPECT_EQ(limited.ActiveConnection, 0);
    EXPECT_TRUE(Hosts.CanConnect(path));

    for (int i = 0; i < 5; ++i)
        Hosts.ConnectionOpened("ftp://open/f");
    EXPECT_TRUE(Hosts.CanConnect("ftp://open/f"));
    EXPECT_EQ(HostColumnText(open, hcConnections), "5");
    EXPECT_TRUE(Hosts.CanConnect("/local/file"));  // no host: no limit
}

TEST_F(ManagerHostTest, HostDefaultsAndGlobalDefaults)
{
    THost& withLogin = Host.AddHost("\\\\in\\");
    withLogin.LoginToServer = true;
    withLogin.UserLogin = "hu";
    withLogin.UserPassword = "hp";
    withLogin.TrafficPriority = tpHigherPriority;
    Host.AddHost("\\\\out\\").TrafficPriority = tpLowerPriority;
    Options().DefaultUserLogin = "gu";
    Options().DefaultUserPassword = "gp";
    Host.ConnectionTypes.DefTraf = tpMiddlePriority;
    struct TCase {
        const char* Path;
        bool AllowGlobal, GlobalLogin;
        TTrafficPriority Priority;
        bool Login;
        const char* Credentials;  // starting from "u/p"
    };
    const TCase cases[] = {
        {"\\\\in\\f", false, false, tpHigherPriority, true, "hu/hp"},
        {"\\\\out\\f", true, true, tpLowerPriority, false, "u/p"},
        {"/local", true, false, tpMiddlePriority, false, "u/p"},
        {"/local", true, true, tpMiddlePriority, true, "gu/gp"},
        {"/local", false, true, tpHighestPriority, false, "u/p"},  // nothing changes
    };
    for (const TCase& c : cases) {
        Options().DefaultLoginToServer = c.GlobalLogin;
        THostDefaults defaults{tpHighestPriority, false, "u", "p"};
        Hosts.GetHostDefaults(c.Path, c.AllowGlobal, defaults);
        EXPECT_EQ(defaults.Priority, c.Priority) << c.Path << c.AllowGlobal << c.GlobalLogin;
        EXPECT_EQ(defaults.LoginToServer, c.Login);
        EXPECT_EQ(defaults.UserLogin + "/" + defaults.UserPassword, c.Credentials);
    }

    // A new task takes the lower priority of its two ends.
    const std::tuple<const char*, const char*, TTrafficPriority> tasks[] = {
        {"\\\\in\\s\\f", "\\\\out\\d", tpLowerPriority},
        {"\\\\in\\s\\f", "/home/in", tpMiddlePriority},
        {"/home/f", "\\\\in\\d", tpMiddlePriority},
    };
    TManagerTask& manager = Host.Bed.OpenManager();
    TTaskProp first;
    for (auto [from, to, priority] : tasks) {
        TTaskProp prop{.Source = from, .Destination = to};
        manager.FillDefaults(prop);
        EXPECT_EQ(prop.TrafficPriority, priority) << from << " " << to;
        if (first.Source.empty())
            first = prop;
    }
    EXPECT_EQ(first.UserLoginToSource, "hu");
    EXPECT_FALSE(first.LoginToDestination);
}

TEST_F(ManagerHostTest, TasksOnNewServersGetAHostWithTheDefaultLimits)
{
    Options().iMaxConnectionNetbiosDef = 3;
    Options().bLimitConnectionFTPDef = false;
    TTaskItem& share = Task("\\\\srv\\share\\f");
    share.LoginToSource = true;
    share.UserLoginToSource = "u";
    share.TrafficPriority = tpHigherPriority;
    Hosts.EnsureTaskHost(share, true);
    Hosts.EnsureTaskHost(Task("\\\\SRV\\other\\g"), true);  // covered already
    Hosts.EnsureTaskHost(Task("/local/file"), true);        // names no server
    Hosts.EnsureTaskHost(Task("ftp://user:pw@files:2121/a/b"), false);
    Hosts.EnsureTaskHost(Task("ftp://files/c"), false);
    EXPECT_EQ(Names(), "srvfiles");
    const THost& srv = Hosts.Hosts()[0];
    EXPECT_EQ(srv.Address + " " + HostColumnText(srv, hcConnections) + " " + srv.UserLogin, "\\\\srv\\ 0/3 u");
    EXPECT_EQ(srv.TrafficPriority, tpHigherPriority);
    EXPECT_EQ(HostImageIndex(srv), 1);
    const THost& ftp = Hosts.Hosts()[1];
    EXPECT_EQ(ftp.Address + " " + HostColumnText(ftp, hcConnections), "ftp://files 0");
    EXPECT_EQ(HostImageIndex(ftp), 0);
}

TEST_F(ManagerHostTest, FileRoundTripSkipsTemporaryHostsAndIsPrivate)
{
    THost& kept = Host.AddHost("ftp://files", 7, "kept");
    kept.Description = "two\nlines";
    kept.LoginToServer = true;
    kept.UserPassword = "p<&>";
    kept.TrafficPriority = tpHighestPriority;
    kept.ActiveConnection = 2;
    Host.AddHost("\\\\tmp\\", 0, "temp").Temporary = true;
    const std::string file = Dir.File("hosts.xml");
    ASSERT_TRUE(Hosts.SaveToFile(file));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    THostBed other;
    TManagerHost& read = other.OpenHosts(file);
    ASSERT_EQ(read.Rows().Count(), 1);
    const THost& host = read.Hosts()[0];
    EXPECT_EQ(host.Description, "two\nlines");
    EXPECT_EQ(host.UserPassword, "p<&>");
    EXPECT_EQ(HostColumnText(host, hcConnections), "0/7");
    EXPECT_EQ(host.TrafficPriority, tpHighestPriority);
    EXPECT_FALSE(host.Temporary);
}

TEST_F(ManagerHostTest, MissingAndBadElementsReadAsTheirFallbacks)
{
    struct TCase {
        const char* Body;
        bool Login, Unlimited;
        int Max;
        TTrafficPriority Priority;
    };
    const TCase cases[] = {
        {"<Name>n</Name>", false, true, 1, tpLowestPriority},
        {"<LoginToServer>TRUE</LoginToServer><AllowUnlimitedConnection>0</AllowUnlimitedConnection>"
         "<MaxConnection>4</MaxConnection><TrafficPriority>3</TrafficPriority>",
         true, false, 4, tpHigherPriority},
        {"<LoginToServer>yes</LoginToServer><AllowUnlimitedConnection>maybe</AllowUnlimitedConnection>"
         "<MaxConnection>many</MaxConnection><TrafficPriority>high</TrafficPriority>",
         false, false, 1, tpMiddlePriority},
        {"<MaxConnection>0</MaxConnection><TrafficPriority>5</TrafficPriority>", false, true, 1, tpMiddlePriority},
        {"<TrafficPriority>-1</TrafficPriority>", false, true, 1, tpMiddlePriority},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Body);
        WriteFileBytes(Dir.File("h.xml"), std::string("<Hosts><Host>") + c.Body + "</Host></Hosts>");
        Hosts.LoadFromFile(Dir.File("h.xml"));
        ASSERT_EQ(Hosts.Hosts().Count(), 1);
        const THost& host = Hosts.Hosts()[0];
        EXPECT_EQ(host.LoginToServer, c.Login);
        EXPECT_EQ(host.AllowUnlimitedConnection, c.Unlimited);
        EXPECT_EQ(host.MaxConnection, c.Max);
        EXPECT_EQ(host.TrafficPriority, c.Priority);
    }
    Hosts.LoadFromFile(Dir.File("missing.xml"));
    EXPECT_EQ(Hosts.Rows().Count(), 0);
    EXPECT_TRUE(Host.Bed.Boxes.Shown.empty());
}

TEST_F(ManagerHostTest, HostDialogOpensOnTheValuesAndWritesBackOnOK)
{
    Host.HostDialogs.HostAnswers = {[](THostForm& f) {
        EXPECT_TRUE(f.Unlimited);
        EXPECT_EQ(f.Priority, tpHighestPriority);
        f.Unlimited = false;
        f.MaxConnections = 4;
        f.UserLogin = "dropped without the login";
        return true;
    }};
    THost* added = Hosts.AddHostWithDialog("srv", "\\\\srv\\");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(HostColumnText(*added, hcConnections), "0/4");
    EXPECT_EQ(added->UserLogin, "");

    // Cancel skips a host, an unlimited host keeps its former count, and an empty address
    // cannot be confirmed.
    Host.AddHost("ftp://b", 0, "b");
    Host.AddHost("ftp://c", 0, "c");
    Hosts.SelectAllHosts();
    Host.HostDialogs.HostAnswers = {
        [](THostForm& f) {
            f.Unlimited = true;
            f.MaxConnections = 9;
            f.LoginToServer = true;
            return true;
        },
        [](THostForm& f) {
            f.Name = "x";
            return false;
        },
        [](THostForm& f) {
            f.Address.clear();
            return true;
        },
    };
    Hosts.EditSelectedHosts();
    EXPECT_EQ(added->MaxConnection, 4);
    EXPECT_TRUE(added->AllowUnlimitedConnection && added->LoginToServer);
    EXPECT_EQ(Names(), "srvbc");
    EXPECT_EQ(Hosts.Hosts()[2].Address, "ftp://c");

    Hosts.AddHostFromLink("/local/path");
    EXPECT_EQ(Host.Bed.Dialogs.Asked.back(), "Error:sUnabledetectHostName");
    EXPECT_EQ(Hosts.Hosts().Count(), 3);
}

TEST_F(ManagerHostTest, CopyPasteOpenAndDeleteWorkOnTheSelectedRows)
{
    Host.AddHost("\\\\a\\", 0, "a");
    Host.AddHost("ftp://b", 0, "b");
    Host.AddHost("http://c", 0, "c");
    Select("ac");
    Hosts.CopySelectedHostsToClipboard();
    EXPECT_EQ(Host.Bed.Desktop.Clipboard, "a\r\nc");
    Hosts.OpenSelectedHosts();
    EXPECT_EQ(Host.Bed.Desktop.Opened, (std::vector<std::string>{"\\\\a\\", "http://c"}));

    Host.Bed.Desktop.Clipboard = "x\r\n\ny\n";  // one dialog per line, the line as name and address
    Host.HostDialogs.HostAnswers = {[](THostForm&) { return true; }, [](THostForm&) { return true; }};
    Hosts.PasteHostsFromClipboard();
    EXPECT_EQ(Names(), "abcxy");
    EXPECT_EQ(Hosts.Hosts()[3].Address, "x");

    Host.Bed.Dialogs.CheckBoxAnswers = {{TModalResult::Cancel, false}, {TModalResult::OK, true}};
    Select("bx");
    Hosts.DeleteSelectedAfterConfirmation();
    EXPECT_EQ(Names(), "abcxy");
    Hosts.DeleteSelectedAfterConfirmation();
    EXPECT_EQ(Names(), "acy");
    EXPECT_EQ(Hosts.Hosts().Count(), 3);
    Select("a");
    Hosts.DeleteSelectedAfterConfirmation();  // not asked again
    EXPECT_EQ(Names(), "cy");
    Host.Bed.Dialogs.CheckBoxAnswers = {{TModalResult::OK, false}};
    Hosts.ClearAfterConfirmation();
    EXPECT_FALSE(Hosts.HasHosts() || Hosts.Rows().Count());
}

TEST_F(ManagerHostTest, ColumnsSortByTheirOwnOrder)
{
    Host.AddHost("ftp://B", 3, "b").ActiveConnection = 1;
    Host.AddHost("ftp://c", 3, "A").Description = "z";
    Host.AddHost("ftp://a", 2, "c");
    const std::tuple<THostColumn, bool, const char*> cases[] = {
        {hcName, false, "Abc"}, {hcName, true, "cbA"}, {hcConnections, false, "cAb"},
        {hcAddress, false, "cbA"}, {hcDescription, true, "Acb"},
    };
    for (auto [column, descending, order] : cases) {
        Hosts.SortRows(column, descending);
        EXPECT_EQ(Names(), order) << column << descending;
    }
    EXPECT_EQ(HostRowHint(Hosts.Hosts()[1], {"Name", "Connections", "Address", "Description"}),
              "Name: A\r\nConnections: 0/3\r\nAddress: ftp://c\r\nDescription: z");
    Options().bShowHintForListView = false;
    EXPECT_EQ(HostRowHint(Hosts.Hosts()[1], {"Name"}), "");
    Options().bShowHintForListView = true;
}

TEST_F(ManagerHostTest, ClicksOnAHeaderSortUpThenDownThenBackInHostOrder)
{
    Host.AddHost("ftp://b", 0, "b");
    Host.AddHost("ftp://c", 0, "c");
    Host.AddHost("ftp://a", 0, "a");
    // Each click, on a column, and the rows after it.
    const std::pair<int, const char*> clicks[] = {
        {hcName, "abc"},    {hcName, "cba"}, {hcName, "bca"}, {hcName, "abc"},
        {hcAddress, "abc"}, {hcName, "abc"}, {hcName, "cba"}, {hcAddress, "abc"},
    };
    TListSort sort;
    for (auto [column, order] : clicks) {
        sort.Click(column);
        Hosts.SortRows(sort);
        EXPECT_EQ(Names(), order) << column << " " << order;
    }
}
