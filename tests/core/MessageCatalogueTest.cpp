#include "core/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MessageCatalogue, TextsHandedOutOutliveTheLanguageThatGaveThem)
{
    ClearMessageTexts();
    SetMessageTexts({{"sOne", "first"}, {"sOne", "second"}, {"sTwo", "two"}});
    const std::string& one = Translate("sOne");
    const std::string& missing = Translate("sNoSuchText");
    EXPECT_EQ(one, "first");  // the first pair of an identifier counts
    EXPECT_EQ(missing, "sNoSuchText");

    // A worker may still hold a text while another language replaces the table.
    std::thread reader([] {
        for (int i = 0; i < 2000; ++i)
            ASSERT_FALSE(Translate("sTwo").empty());
    });
    for (int i = 0; i < 200; ++i)
        SetMessageTexts({{"sOne", "other " + std::to_string(i)}, {"sTwo", "two"}});
    reader.join();
    EXPECT_EQ(one, "first");
    EXPECT_EQ(missing, "sNoSuchText");
    EXPECT_EQ(Translate("sOne"), "other 199");
    SetMessageText("sNoSuchText", "now there");
    EXPECT_EQ(Translate("sNoSuchText"), "now there");
    ClearMessageTexts();
    EXPECT_EQ(Translate("sOne"), "sOne");
}
