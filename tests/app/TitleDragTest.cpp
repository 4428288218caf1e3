// The title strip's press, travel and release: when a window move starts.
#include <gtest/gtest.h>

#include "app/TitleDrag.h"

TEST(TitleDrag, AMoveStartsOnlyAfterTheLeftButtonHasTravelled) {
  TTitleDrag drag;
  drag.Press(Qt::LeftButton, QPoint(100, 10));
  EXPECT_FALSE(drag.Move(Qt::LeftButton, QPoint(102, 11))); // a shaky click
  EXPECT_TRUE(drag.Move(Qt::LeftButton, QPoint(100, 10 + TTitleDrag::StartDistance)));
  EXPECT_FALSE(drag.Move(Qt::LeftButton, QPoint(150, 40))); // once per press

  // A click without travel arms nothing for the next one.
  drag.Press(Qt::LeftButton, QPoint(100, 10));
  drag.Release();
  EXPECT_FALSE(drag.Move(Qt::LeftButton, QPoint(200, 10)));

  // Other buttons, and travel with the button already up, move nothing.
  drag.Press(Qt::RightButton, QPoint(100, 10));
  EXPECT_FALSE(drag.Move(Qt::RightButton, QPoint(200, 10)));
  drag.Press(Qt::LeftButton, QPoint(100, 10));
  EXPECT_FALSE(drag.Move(Qt::NoButton, QPoint(200, 10)));
  EXPECT_FALSE(drag.Move(Qt::LeftButton, QPoint(300, 10)));
}
