#include "document/XMLUnit.h"

TXMLMovie BindMovie(TXMLCardDocument& document)
{
  if (!document.Loaded()) document.Load();
  pugi::xml_node root = document.DocumentElement();
  if (!root) root = document.CreateDocumentElement("Movie");
  // Binding a foreign root would write card elements into someone else's XML file.
  if (std::string(root.name()) != "Movie") {
    throw TXMLError("\"" + document.FileName() + "\" is not a card: its root element is <" +
                    std::string(root.name()) + ">, not <Movie>");
  }
  return TXMLMovie(document.Tree(), root);
}
