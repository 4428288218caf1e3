#include "tools/projector/HostWindow.h"

#include <gtest/gtest.h>

TEST(HostWindowTest, XScreenSaversWindowComesFromTheEnvironment) {
  const THostWindow host = TakeHostWindow({"--root"}, "0x1a00007");
  EXPECT_TRUE(host.Root);
  EXPECT_EQ(host.WindowId, 0x1a00007ul);
  EXPECT_TRUE(host.Rest.isEmpty());
  EXPECT_TRUE(host.Error.isEmpty());

  // Without it, -root alone leaves the host its own full-screen window.
  const THostWindow own = TakeHostWindow({"-root", "/s"}, "");
  EXPECT_TRUE(own.Root);
  EXPECT_FALSE(own.WindowId);
  EXPECT_EQ(own.Rest, QStringList{"/s"});
  EXPECT_FALSE(TakeHostWindow({}, "garbage").WindowId);
}

TEST(HostWindowTest, AGivenWindowIdWinsAndOtherArgumentsStay) {
  const THostWindow host = TakeHostWindow({"--grab", "x.png", "-window-id", "4194311", "movie.swf"}, "0x99");
  EXPECT_EQ(host.WindowId, 4194311ul);
  EXPECT_EQ(host.Rest, (QStringList{"--grab", "x.png", "movie.swf"}));
  EXPECT_EQ(TakeHostWindow({"--window-id", "0X2A"}, "").WindowId, 42ul);

  for (const QStringList& bad : {QStringList{"-window-id"}, QStringList{"-window-id", "0"},
                                 QStringList{"--window-id", "window"}}) {
    const THostWindow refused = TakeHostWindow(bad, "0x99");
    EXPECT_FALSE(refused.Error.isEmpty()) << bad.join(' ').toStdString();
  }
}
