// TSwfAction: the builder's frame action. MakeActionStop makes it "stop the movie here";
// TSwfMovie::AddAction puts it on the current frame as a DoAction tag.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/builder/SwfObjs.h"

namespace swf {

class TSwfAction : public ISwfAction {
 public:
  void MakeActionStop() override;

  // The action codes (without the end byte); empty before any Make.
  const std::vector<uint8_t>& Codes() const { return FCodes; }

 private:
  std::vector<uint8_t> FCodes;
};

}  // namespace swf
