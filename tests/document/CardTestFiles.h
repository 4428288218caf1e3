// Temporary folders and whole-file helpers for the card document tests.
#pragma once

#include <string>

#include "support/TestFolder.h"

class TTempFolder : public TTestFolder {
public:
  TTempFolder() : TTestFolder("greetix-document-") {}
};

inline void WriteBytes(const std::string& path, const std::string& bytes) { WriteWholeFile(path, bytes); }
inline std::string ReadBytes(const std::string& path) { return ReadWholeFile(path); }
