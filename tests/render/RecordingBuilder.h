// A SWF builder that records every call with its arguments as a text line
// ("GotoFrame(15)", "SetSolidFill(0,0,255,21.25)"), so tests assert whole call sequences.
// Numbers are written in their shortest exact form; the parsed values are kept as well.
#pragma once

#include <charconv>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "swf/builder/SwfObjs.h"

struct TRecordedCall {
  std::string Name;
  std::vector<std::string> Texts; // string arguments
  std::vector<double> Numbers;    // numeric arguments
  std::string Line;
};

class TRecording {
public:
  std::vector<TRecordedCall> Calls;

  std::vector<std::string> Lines() const
  {
    std::vector<std::string> lines;
    for (const auto& call : Calls) lines.push_back(call.Line);
    return lines;
  }
  // The calls of one name, in order.
  std::vector<TRecordedCall> Named(const std::string& name) const
  {
    std::vector<TRecordedCall> found;
    for (const auto& call : Calls)
      if (call.Name == name) found.push_back(call);
    return found;
  }
  void Clear() { Calls.clear(); }

  static std::string Number(double value)
  {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
  }

  // The line lists the texts before the numbers, or after them when textsLast is set.
  void Add(std::string name, std::vector<std::string> texts, std::vector<double> numbers,
           bool textsLast = false)
  {
    std::vector<std::string> arguments;
    for (double number : numbers) arguments.push_back(Number(number));
    arguments.insert(textsLast ? arguments.end() : arguments.begin(), texts.begin(), texts.end());
    std::string line = name + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) line += (i ? "," : "") + arguments[i];
    line += ")";
    Calls.push_back({std::move(name), std::move(texts), std::move(numbers), std::move(line)});
  }
};

class TRecordingObject : public swf::ISwfObject {
public:
  explicit TRecordingObject(TRecording& recording) : Log(recording) {}
  void MakeTextSimple(const std::string& fontName, const std::string& text, double x, double y,
                      double height) override
  {
    Log.Add("MakeTextSimple", {fontName, text}, {x, y, height});
  }
  void MakePicture(int left, int top, int right, int bottom, int width, int height,
                   const std::string& jpegPath) override
  {
    Log.Add("MakePicture", {jpegPath},
            {double(left), double(top), double(right), double(bottom), double(width), double(height)}, true);
    if (FailPictures) throw std::runtime_error("picture refused");
  }
  void MakeSound(const std::string& wavePath) override { Log.Add("MakeSound", {wavePath}, {}); }
  void SetSolidFill(int red, int green, int blue, double alpha) override
  {
    Log.Add("SetSolidFill", {}, {double(red), double(green), double(blue), alpha});
  }
  void Scale(double x, double y) override { Log.Add("Scale", {}, {x, y}); }
  void Rotate(int angle) override { Log.Add("Rotate", {}, {double(angle)}); }
  void Translate(double x, double y) override { Log.Add("Translate", {}, {x, y}); }
  void SetBlur(double radius) override { Log.Add("SetBlur", {}, {radius}); }
  void SetGlow(int red, int green, int blue, double alpha, double radius) override
  {
    Log.Add("SetGlow", {}, {double(red), double(green), double(blue), alpha, radius});
  }
  void SetOutline(int red, int green, int blue, double alpha, double width) override
  {
    Log.Add("SetOutline", {}, {double(red), double(green), double(blue), alpha, width});
  }
  void SetShadow(int red, int green, int blue, double alpha, double radius, double distance) override
  {
    Log.Add("SetShadow", {}, {double(red), double(green), double(blue), alpha, radius, distance});
  }

  bool FailPictures = false;

private:
  TRecording& Log;
};

class TRecordingAction : public swf::ISwfAction {
public:
  explicit TRecordingAction(TRecording& recording) : Log(recording) {}
  void MakeActionStop() override { Log.Add("MakeActionStop", {}, {}); }

private:
  TRecording& Log;
};

class TRecordingMovie : public swf::ISwfMovie {
public:
  explicit TRecordingMovie(TRecording& recording) : Log(recording) {}
  void SetSize(int width, int height) override
  {
    Log.Add("SetSize", {}, {double(width), double(height)});
    StageWidth = width;
    StageHeight = height;
  }
  void SetFrameRate(int framesPerSecond) override { Log.Add("SetFrameRate", {}, {double(framesPerSecond)}); }
  void SetFrameBkColor(int red, int green, int blue) override
  {
    Log.Add("SetFrameBkColor", {}, {double(red), double(green), double(blue)});
  }
  void GotoFrame(double frame) override
  {
    Log.Add("GotoFrame", {}, {frame});
    if (frame + 1 > FrameCount) FrameCount = static_cast<int>(frame + 1);
  }
  void AddObject(swf::ISwfObject&) override { Log.Add("AddObject", {}, {}); }
  void RemoveObject(swf::ISwfObject&) override { Log.Add("RemoveObject", {}, {}); }
  void AddAction(swf::ISwfAction&) override { Log.Add("AddAction", {}, {}); }
  void WriteMovie(const std::string& path) override
  {
    Log.Add("WriteMovie", {path}, {});
    if (FailWrite) throw std::runtime_error("cannot write");
    if (WriteHeader) WriteHeaderFile(path);
    FrameCount = 0;
  }

  bool FailWrite = false;
  // Writes a movie header (stage, rate 15, frame count) so readers of the header can work.
  bool WriteHeader = true;

  // An uncompressed header with 16-bit rectangle fields and no tags.
  void WriteHeaderFile(const std::string& path) const
  {
    std::string bytes = "FWS";
    bytes += char(8);
    bytes += std::string(4, '\0');
    std::uint64_t bits = 0;
    int count = 0;
    auto put = [&](std::uint32_t value, int width) {
      for (int i = width - 1; i >= 0; --i) {
        bits = (bits << 1) | ((value >> i) & 1);
        if (++count == 8) {
          bytes += char(bits & 0xFF);
          bits = 0;
          count = 0;
        }
      }
    };
    put(16, 5);
    put(0, 16);
    put(std::uint32_t(StageWidth), 16);
    put(0, 16);
    put(std::uint32_t(StageHeight), 16);
    if (count) put(0, 8 - count);
    bytes += char(0);
    bytes += char(15);
    bytes += char(FrameCount & 0xFF);
    bytes += char((FrameCount >> 8) & 0xFF);
    bytes += std::string("\x43\x02\xFF\xFF\xFF", 5); // SetBackgroundColor, white
    bytes += std::string("\x40\x00", 2);             // ShowFrame
    bytes += std::string(2, '\0');                    // End
    for (int i = 0; i < 4; ++i) bytes[4 + i] = char((bytes.size() >> (8 * i)) & 0xFF);
    std::ofstream(path, std::ios::binary) << bytes;
  }

  int StageWidth = 0;
  int StageHeight = 0;
  int FrameCount = 0; // highest frame visited + 1

private:
  TRecording& Log;
};

// The three recording objects over one shared recording.
struct TRecordingBuilder {
  TRecording Recording;
  TRecordingMovie Movie{Recording};
  TRecordingObject Object{Recording};
  TRecordingAction Action{Recording};
};
