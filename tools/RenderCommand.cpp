#include "tools/RenderCommand.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <set>
#include <string>

#include "card/CardFields.h"
#include "platform/SystemPaths.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace {

constexpr const char* Usage =
    "usage: greetix-cli render CARD.grx -o OUT.swf [--final] [--seed N] [--set Name=Value]... [--confine]";

// What the editor shows in a message box goes to standard error, each text once however
// many render passes meet it; the render goes on.
class TStderrMessages : public IUserMessages {
public:
  void ShowError(const std::string& text) override
  {
    if (Shown.insert(text).second) std::fprintf(stderr, "greetix-cli: warning: %s\n", text.c_str());
  }

private:
  std::set<std::string> Shown;
};

int WrongArguments(const std::string& why)
{
  std::fprintf(stderr, "greetix-cli: %s\n%s\n", why.c_str(), Usage);
  return 2;
}

// The text on one line, for scripts reading it.
std::string OneLine(std::string text)
{
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

// Values were given, yet a field of the card got none: it shows as written.
void WarnUnfilledFields(const TCardRenderOptions& options)
{
  TXMLCardDocument document(options.CardFile);
  for (const std::string& field : CardFieldNames(BindMovie(document)))
    if (!options.Fields->count(field))
      std::fprintf(stderr, "greetix-cli: warning: no value for the field \"%s\"; it shows as written\n", field.c_str());
}

} // namespace

namespace tools {

int RunRender(int argc, char** argv)
{
  TCardRenderOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-o" && i + 1 < argc) {
      options.OutputFile = argv[++i];
    } else if (argument == "--confine") {
      options.ConfineMedia = true;
    } else if (argument == "--final") {
      options.Final = true;
    } else if (argument == "--seed" && i + 1 < argc) {
      const char* text = argv[++i];
      std::uint32_t seed = 0;
      auto [end, error] = std::from_chars(text, text + std::strlen(text), seed);
      if (error != std::errc() || *end != '\0') return WrongArguments("--seed needs a whole number, not \"" + std::string(text) + "\"");
      options.Seed = seed;
    } else if (argument == "--set" && i + 1 < argc) {
      const std::string assignment = argv[++i];
      const std::size_t equals = assignment.find('=');
      if (equals == std::string::npos || equals == 0) return WrongArguments("--set needs Name=Value, not \"" + assignment + "\"");
      if (!options.Fields) options.Fields.emplace();
      (*options.Fields)[assignment.substr(0, equals)] = assignment.substr(equals + 1);
    } else if (!argument.empty() && argument[0] == '-') {
      return WrongArguments("unknown option \"" + argument + "\"");
    } else if (options.CardFile.empty()) {
      options.CardFile = argument;
    } else {
      return WrongArguments("more than one card given");
    }
  }
  if (options.CardFile.empty() || options.OutputFile.empty()) return WrongArguments("a card and -o OUT.swf are needed");
  options.ProgramFolder = Platform::ProgramFolder().toStdString();

  try {
    TStderrMessages messages;
    const TCardRenderResult result = RenderCardFile(options, &messages);
    std::printf("%s: %d frames\n", options.OutputFile.c_str(), result.FrameCount);
    if (options.Fields) WarnUnfilledFields(options);
    // An object was left out: the movie is written, but the command ends with status 1.
    if (result.ObjectsLeftOut > 0) return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "greetix-cli: %s\n", OneLine(error.what()).c_str());
    return 1;
  }
  return 0;
}

} // namespace tools
