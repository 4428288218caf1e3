// The pieces of a text field's HTML: a tag's name and attributes, entities in text, colours.
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace player {

struct TMarkupTag {
  QString Name;  // lower-cased
  bool Closing = false;
  std::vector<std::pair<QString, QString>> Attributes;  // names lower-cased
};

// inside: what stands between '<' and '>'.
TMarkupTag ReadTag(const QString& inside);

// &amp; &lt; &gt; &quot; &apos; &nbsp; &#NN; &#xNN; decoded; anything else kept as written.
QString DecodeEntities(const QString& text);

// "#RRGGBB" (the '#' optional), opaque.
std::optional<swf::TRgba> ColorOf(const QString& value);

}  // namespace player
