#include "panels/ioplug.h"

#include <QCoreApplication>

namespace {

std::unique_ptr<plugins::TSoundImporter>& Importer()
{
  // Destroyed after the application object: it holds no window state, and no module is
  // decoding between imports.
  static std::unique_ptr<plugins::TSoundImporter> importer;
  return importer;
}

} // namespace

plugins::TSoundImporter& SoundImporter()
{
  std::unique_ptr<plugins::TSoundImporter>& importer = Importer();
  if (!importer) {
    plugins::TSoundImportOptions options;
    // The modules only keep the handle; the application object stands for its window.
    options.AppWindow = QCoreApplication::instance();
    importer = std::make_unique<plugins::TSoundImporter>(plugins::TAudioModules::Standard(), options);
  }
  return *importer;
}

void SetSoundImporter(std::unique_ptr<plugins::TSoundImporter> importer) { Importer() = std::move(importer); }
