#include "export/WebPage.h"

#include <cctype>

#include "export/AnimationExport.h"
#include "export/ExportError.h"
#include "export/FileWriter.h"
#include "export/PictureSize.h"
#include "export/ProgressCounter.h"
#include "export/TempTarget.h"
#include "export/VideoExport.h"

namespace exporter {

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

// Names in the page are addresses relative to it: spaces and the like are percent-encoded.
std::string AddressOf(const std::string& name) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~' || c >= 0x80) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return Escape(out);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string WithoutExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path : path.substr(0, dot);
}

const char* const PageStyle = R"(
html,body{margin:0;height:100%;background:#222;color:#eee;font:16px/1.4 sans-serif}
main{min-height:100%;display:flex;align-items:center;justify-content:center}
figure{margin:0;position:relative;max-width:100vw}
video{display:block;max-width:100vw;max-height:90vh;width:auto;height:auto;background:#000}
.bar{height:4px;background:#444}
.bar div{height:100%;width:0;background:#e0457b}
.controls{display:flex;gap:8px;justify-content:center;padding:8px}
button{font:inherit;padding:6px 14px;border:0;border-radius:16px;background:#e0457b;color:#fff;cursor:pointer}
button:focus-visible{outline:2px solid #fff}
)";

// Plays muted (as browsers allow without a click); the buttons turn the sound on and play
// the card again from its start.
const char* const PageScript = R"(
(function(){
var movie=document.getElementById('movie'),sound=document.getElementById('sound'),
    replay=document.getElementById('replay'),bar=document.getElementById('position');
function show(){
  sound.textContent=movie.muted?'\u{1F50A} Sound on':'\u{1F507} Sound off';
  sound.setAttribute('aria-pressed',String(!movie.muted));
  document.body.setAttribute('data-state',movie.ended?'ended':movie.paused?'paused':'playing');
}
sound.addEventListener('click',function(){movie.muted=!movie.muted;if(movie.paused)movie.play();show();});
replay.addEventListener('click',function(){movie.currentTime=0;movie.play();show();});
['play','pause','ended','volumechange'].forEach(function(e){movie.addEventListener(e,show);});
movie.addEventListener('timeupdate',function(){
  if(movie.duration>0)bar.style.width=(100*movie.currentTime/movie.duration).toFixed(1)+'%';
});
show();
})();
)";

}  // namespace

std::string WebPageText(const TPageFacts& facts) {
  const std::string title = Escape(facts.Title);
  const std::string width = std::to_string(facts.Size.width());
  const std::string height = std::to_string(facts.Size.height());
  const std::string name = AddressOf(facts.Name);
  std::string page;
  page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  page += "<title>" + title + "</title>\n";
  // Link previews in chats and mail read these (relative to where the page is put).
  page += "<meta property=\"og:title\" content=\"" + title + "\">\n";
  page += "<meta property=\"og:type\" content=\"video.other\">\n";
  page += "<meta property=\"og:image\" content=\"" + name + ".png\">\n";
  page += "<meta property=\"og:image:width\" content=\"" + width + "\">\n";
  page += "<meta property=\"og:image:height\" content=\"" + height + "\">\n";
  page += "<meta property=\"og:video\" content=\"" + name + ".mp4\">\n";
  page += "<meta property=\"og:video:type\" content=\"video/mp4\">\n";
  page += "<meta property=\"og:video:width\" content=\"" + width + "\">\n";
  page += "<meta property=\"og:video:height\" content=\"" + height + "\">\n";
  page += "<style>" + std::string(PageStyle) + "</style>\n</head>\n<body>\n<main>\n<figure>\n";
  page += "<video id=\"movie\" width=\"" + width + "\" height=\"" + height + "\" poster=\"" + name +
          ".png\" autoplay muted playsinline preload=\"auto\"" + (facts.Loops ? " loop" : "") +
          " aria-label=\"" + title + "\">\n";
  page += "<source src=\"" + name + ".webm\" type='video/webm; codecs=\"vp9, opus\"'>\n";
  page += "<source src=\"" + name + ".mp4\" type='video/mp4; codecs=\"avc1.640028, mp4a.40.2\"'>\n";
  page += "</video>\n<div class=\"bar\"><div id=\"position\"></div></div>\n";
  page += "<figcaption class=\"controls\">\n";
  page += "<button id=\"sound\" type=\"button\" aria-pressed=\"false\">Sound on</button>\n";
  page += "<button id=\"replay\" type=\"button\">&#8635; Replay</button>\n";
  page += "</figcaption>\n</figure>\n</main>\n";
  page += "<script>" + std::string(PageScript) + "</script>\n</body>\n</html>\n";
  return page;
}

void WriteWebPage(TFrameSource& source, const std::string& htmlPath, const TExportOptions& options) {
  const std::string stem = WithoutExtension(htmlPath);
  TPageFacts facts;
  facts.Name = BaseName(htmlPath);
  facts.Title = options.Title.empty() ? facts.Name : options.Title;
  facts.Size = PictureSize(source.StageSize(), options, true);
  facts.Loops = source.Loops();
  // A looping card loops on the page: the videos hold one pass.
  TExportOptions videoOptions = options;
  if (facts.Loops) videoOptions.Loops = 1;

  TTempTarget webm(stem + ".webm"), mp4(stem + ".mp4"), poster(stem + ".png"), page(htmlPath);
  TProgressCounter progress(options, 2 * source.FramesFor(videoOptions.Loops) + 1);
  WriteVideo(source, webm.Path(), webm.Target(), TExportFormat::WebM, facts.Size, videoOptions, progress);
  WriteVideo(source, mp4.Path(), mp4.Target(), TExportFormat::Mp4, facts.Size, videoOptions, progress);
  WritePngFile(source.Poster(facts.Size), poster.Path(), poster.Target());
  progress.Step();
  {
    TFileWriter out(page.Path(), htmlPath);
    out.Write(WebPageText(facts));
    out.Close();
  }
  progress.CheckCancel();
  webm.Commit();
  mp4.Commit();
  poster.Commit();
  page.Commit();
}

}  // namespace exporter
