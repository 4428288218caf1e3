#include "app/GlobalUnit.h"

TGlobal::TGlobal() : AppTitle(QString::fromLatin1(ApplicationTitle)) {}

TGlobal::~TGlobal() = default;
