// The package unit: what the library tells a package loader about itself (its
// units, description and pictures). Hosts load the package through
// LoadPackage (vandrel/platform/Package.h) rather than calling these.
#pragma once

#include "vandrel/platform/Package.h"

// The package's loader exports.
VANDREL_PACKAGE_EXPORT void Initialize();
VANDREL_PACKAGE_EXPORT void Finalize();
VANDREL_PACKAGE_EXPORT const vandrel::TPackageInfoTable* GetPackageInfoTable();
VANDREL_PACKAGE_EXPORT const vandrel::TResourceTable* GetPackageResources();

namespace vandrel {

// The package's pictures: the palette bitmaps and the icons.
const TResourceTable& PackageResources();

// How many loads currently hold the package initialised: Initialize runs the
// unit initialisations on the first, Finalize the finalisations on the last.
int PackageInitCount();

}  // namespace vandrel
