#include "plugins/AudioModules.h"

#include <algorithm>
#include <cctype>

#include "plugins/StandardModules.h"

namespace plugins {

namespace {

// Library file names compare without regard to case, as on the file systems they come from.
std::string KeyOf(const std::string& name) {
  std::string key = name;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

}  // namespace

TInModuleGetter TAudioLibrary::FindInModuleGetter(const std::string&) { return {}; }
TOutModuleGetter TAudioLibrary::FindOutModuleGetter(const std::string&) { return {}; }

TInputLibrary::TInputLibrary(std::string name, std::unique_ptr<TInModule> module)
    : TAudioLibrary(std::move(name)), FModule(std::move(module)) {}

TInModuleGetter TInputLibrary::FindInModuleGetter(const std::string& exportName) {
  if (exportName != InModuleExport) return {};
  TInModule* module = FModule.get();
  return [module] { return module; };
}

TOutputLibrary::TOutputLibrary(std::string name, std::unique_ptr<TOutModule> module)
    : TAudioLibrary(std::move(name)), FModule(std::move(module)) {}

TOutModuleGetter TOutputLibrary::FindOutModuleGetter(const std::string& exportName) {
  if (exportName != OutModuleExport) return {};
  TOutModule* module = FModule.get();
  return [module] { return module; };
}

const TAudioModules& TAudioModules::Standard() {
  static const TAudioModules standard = [] {
    TAudioModules modules;
    modules.Register("mp3.dll",
                     [] { return std::make_unique<TInputLibrary>("mp3.dll", MakeMp3InModule()); });
    modules.Register(
        "wave.dll", [] { return std::make_unique<TInputLibrary>("wave.dll", MakeWaveInModule()); });
    modules.Register("sound.dll", [] {
      return std::make_unique<TOutputLibrary>("sound.dll", MakeSoundOutModule());
    });
    return modules;
  }();
  return standard;
}

void TAudioModules::Register(const std::string& name, TFactory factory) {
  FFactories[KeyOf(name)] = std::move(factory);
}

void TAudioModules::Remove(const std::string& name) { FFactories.erase(KeyOf(name)); }

std::unique_ptr<TAudioLibrary> TAudioModules::Load(const std::string& name) const {
  auto found = FFactories.find(KeyOf(name));
  if (found == FFactories.end() || !found->second) return nullptr;
  return found->second();
}

TInModuleGetter TAudioModules::FindInput(const std::string& name) const {
  std::shared_ptr<TAudioLibrary> library = Load(name);
  if (!library) return {};
  TInModuleGetter getter = library->FindInModuleGetter(InModuleExport);
  if (!getter) return {};
  return [library, getter] { return getter(); };
}

TOutModuleGetter TAudioModules::FindOutput(const std::string& name) const {
  std::shared_ptr<TAudioLibrary> library = Load(name);
  if (!library) return {};
  TOutModuleGetter getter = library->FindOutModuleGetter(OutModuleExport);
  if (!getter) return {};
  return [library, getter] { return getter(); };
}

}  // namespace plugins
