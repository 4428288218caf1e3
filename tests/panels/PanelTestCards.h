// Card documents for the panel tests: movie settings and objects as XML text.
#pragma once

#include <string>

#include "render/SoundPanel.h"

inline std::string CardSettings(int width = 420, int height = 180) {
  return "<BgColor>16777215</BgColor><BgPic/><Width>" + std::to_string(width) + "</Width><Height>" +
         std::to_string(height) +
         "</Height><Rate>12</Rate><TotalFrames>100</TotalFrames><Times>0</Times><FileSize>0</FileSize>"
         "<MovieName>m</MovieName><Author>a</Author><Loop>true</Loop>";
}

struct TTextObj {
  std::string Name = "Text1";
  std::string Content = "Hello";
  int Start = 0;
  int End = 24;
  std::string Font = "Liberation Sans";
  int Size = 18;
  std::string Color = "255";
  int X = 50;
  int Y = 40;
  std::string Effect = "-- None --";
  int TextUnit = 1;
  std::string Kind = "Text";
};

inline std::string TextObjXml(const TTextObj& t) {
  return "<Obj><ObjName>" + t.Name + "</ObjName><StartTime>" + std::to_string(t.Start) +
         "</StartTime><EndTime>" + std::to_string(t.End) + "</EndTime><Layer>2</Layer><ObjTypeName>" + t.Kind +
         "</ObjTypeName><ObjType><ObjText><Content>" + t.Content + "</Content><TextUnit>" +
         std::to_string(t.TextUnit) + "</TextUnit><FontName>" + t.Font + "</FontName><FontSize>" +
         std::to_string(t.Size) + "</FontSize><FontColor>" + t.Color + "</FontColor><PositionX>" +
         std::to_string(t.X) + "</PositionX><PositionY>" + std::to_string(t.Y) + "</PositionY><EffectName>" +
         t.Effect + "</EffectName><EffectValue/></ObjText></ObjType></Obj>";
}

inline std::string NamedText(const std::string& name, int start = 0, const std::string& content = "Hi") {
  TTextObj t;
  t.Name = name;
  t.Start = start;
  t.End = start + 24;
  t.Content = content;
  return TextObjXml(t);
}

inline std::string SoundObjXml(const std::string& name, const std::string& file = "missing.wav") {
  return "<Obj><ObjName>" + name +
         "</ObjName><StartTime>0</StartTime><EndTime>1</EndTime><Layer>2</Layer><ObjTypeName>Sound</ObjTypeName>"
         "<ObjType><ObjSound><Content>" + file + "</Content></ObjSound></ObjType></Obj>";
}

// Stands in for the sound panel, which this folder's tests do not build.
struct TSoundPanelStub : ISoundPanel {
  std::string Shown;
  void SetUpdating(bool) override {}
  std::string Content() const override { return Shown; }
  void SetContent(const std::string& fileName) override { Shown = fileName; }
};
