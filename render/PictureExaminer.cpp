#include "render/PictureExaminer.h"

namespace {
TPictureExaminerFactory& Factory()
{
  static TPictureExaminerFactory factory;
  return factory;
}
} // namespace

void SetPictureExaminerFactory(TPictureExaminerFactory factory) { Factory() = std::move(factory); }

const TPictureExaminerFactory& PictureExaminerFactory() { return Factory(); }
