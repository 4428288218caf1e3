#include "card/ProjectFileCheck.h"

#include <stdexcept>

#include "document/XMLUnit.h"

void CheckProjectFile(const std::string& file)
{
  TXMLCardDocument document(file);
  document.Load(); // its messages name the file
  try {
    if (!document.DocumentElement() || std::string(document.DocumentElement().name()) != "Movie")
      throw std::runtime_error("it is not a Greetix card.");
    // The settings the card loads and the names the library lists.
    TXMLMovie movie = BindMovie(document);
    (void)movie.TotalFrames();
    (void)movie.Width();
    (void)movie.Height();
    (void)movie.Rate();
    (void)movie.BgColor();
    (void)movie.Loop();
    TXMLObjList objects = movie.Obj();
    for (int i = 0; i < objects.Count(); ++i) {
      TXMLObj object = objects.Item(i);
      (void)object.ObjName();
      (void)object.ObjTypeName();
    }
  } catch (const std::exception& error) {
    throw TXMLError("The card file \"" + file + "\" cannot be opened: " + error.what());
  }
}
