// The object kinds, each registered by its ObjTypeName from its own source file, so the
// card and the library make renderers and editing objects without naming the classes.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TFlashObj;
class TRenderContext;

class TFlashObjRegistry {
public:
  using TFactory = std::unique_ptr<TFlashObj> (*)(TRenderContext& context);

  // Adds a kind; a kind registered twice keeps its first factory.
  static void Register(const std::string& kind, TFactory factory);
  // A new object of exactly that kind (compared case-sensitively); nullptr for an unknown kind.
  static std::unique_ptr<TFlashObj> Create(const std::string& kind, TRenderContext& context);
  // The registered kinds, sorted.
  static std::vector<std::string> Kinds();
};

// Registers a kind at start-up: `static const TFlashObjRegistrar registrar("Text", &Make);`
struct TFlashObjRegistrar {
  TFlashObjRegistrar(const std::string& kind, TFlashObjRegistry::TFactory factory)
  {
    TFlashObjRegistry::Register(kind, factory);
  }
};
