#include "config/LinkMonitoring.h"

#include "config/Options.h"

#include <gtest/gtest.h>

TEST(LinkMonitoringTest, FollowsTheOptionOfEachKind)
{
    const TOptions saved = Options();
    struct Case {
        const char* Text;
        bool TOptions::*Option;
    };
    const Case cases[] = {
        {"ftp://h/f", &TOptions::bMonitorFTP},
        {"https://h/f", &TOptions::bMonitorHTTP},
        {"\\\\srv\\share", &TOptions::bMonitorNetbios},
        {"C:\\f", &TOptions::bMonitorLocal},
        {"/home/u/f", &TOptions::bMonitorLocal},
    };
    for (const Case& c : cases) {
        for (bool on : {false, true}) {
            Options().bMonitorFTP = Options().bMonitorHTTP = !on;
            Options().bMonitorNetbios = Options().bMonitorLocal = !on;
            Options().*c.Option = on;
            EXPECT_EQ(IsLinkMonitored(c.Text), on) << c.Text;
        }
    }
    Options().bMonitorFTP = Options().bMonitorHTTP = true;
    Options().bMonitorNetbios = Options().bMonitorLocal = true;
    EXPECT_FALSE(IsLinkMonitored("plain text"));
    Options() = saved;
}
