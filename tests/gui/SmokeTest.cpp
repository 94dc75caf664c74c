#include <QLabel>

#include <gtest/gtest.h>

TEST(GuiSmokeTest, ShowsAWidgetOffscreen)
{
    QLabel label("x");
    label.show();
    EXPECT_TRUE(label.isVisible());
}
