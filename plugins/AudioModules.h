// The audio module libraries known to the program, loaded by file name ("mp3.dll",
// "wave.dll", "sound.dll") the way plug-in libraries are loaded at run time: a name that is
// not there loads nothing, and a loaded library may lack the export the program looks for.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "plugins/AudioModule.h"

namespace plugins {

using TInModuleGetter = std::function<TInModule*()>;
using TOutModuleGetter = std::function<TOutModule*()>;

// One loaded library. It owns the module record its getter hands out; the record lives as
// long as the library. Releasing the library (destroying it) quits nothing: a module still
// decoding must have been stopped first.
class TAudioLibrary {
 public:
  explicit TAudioLibrary(std::string name) : FName(std::move(name)) {}
  virtual ~TAudioLibrary() = default;
  TAudioLibrary(const TAudioLibrary&) = delete;
  TAudioLibrary& operator=(const TAudioLibrary&) = delete;

  const std::string& Name() const { return FName; }
  // The getter exported under `exportName` (InModuleExport / OutModuleExport); empty when the
  // library exports none of that name.
  virtual TInModuleGetter FindInModuleGetter(const std::string& exportName);
  virtual TOutModuleGetter FindOutModuleGetter(const std::string& exportName);

 private:
  std::string FName;
};

// A library offering one input module under InModuleExport.
class TInputLibrary : public TAudioLibrary {
 public:
  TInputLibrary(std::string name, std::unique_ptr<TInModule> module);
  TInModuleGetter FindInModuleGetter(const std::string& exportName) override;

 private:
  std::unique_ptr<TInModule> FModule;
};

// A library offering one output module under OutModuleExport.
class TOutputLibrary : public TAudioLibrary {
 public:
  TOutputLibrary(std::string name, std::unique_ptr<TOutModule> module);
  TOutModuleGetter FindOutModuleGetter(const std::string& exportName) override;

 private:
  std::unique_ptr<TOutModule> FModule;
};

// Registry of libraries by file name. Each Load makes a fresh library with its own module
// state, as loading a plug-in library anew does.
class TAudioModules {
 public:
  using TFactory = std::function<std::unique_ptr<TAudioLibrary>()>;

  // The libraries that come with the program: "mp3.dll", "wave.dll" (input), "sound.dll"
  // (output).
  static const TAudioModules& Standard();

  void Register(const std::string& name, TFactory factory);
  void Remove(const std::string& name);

  // Loads the library of that name; null when there is none.
  std::unique_ptr<TAudioLibrary> Load(const std::string& name) const;

  // Shortcuts for one load plus the export look-up; null when the library or its export is
  // missing. The library stays alive as long as the returned getter.
  TInModuleGetter FindInput(const std::string& name) const;
  TOutModuleGetter FindOutput(const std::string& name) const;

 private:
  std::map<std::string, TFactory> FFactories;
};

}  // namespace plugins
