// A web page that plays the movie in any modern browser: NAME.html with NAME.webm,
// NAME.mp4 and the poster NAME.png beside it. The page fetches nothing from elsewhere:
// its style and its small script are inside it.
#pragma once

#include <QSize>

#include <string>

#include "export/ExportOptions.h"
#include "export/FrameSource.h"

namespace exporter {

struct TPageFacts {
  std::string Title;
  std::string Name;  // the base name of the four files
  QSize Size;
  bool Loops = true;
};

// The page's text; names and the title are escaped.
std::string WebPageText(const TPageFacts& facts);

// Writes the four files, each renamed into place only once all are whole.
void WriteWebPage(TFrameSource& source, const std::string& htmlPath, const TExportOptions& options);

}  // namespace exporter
