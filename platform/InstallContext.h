// The package whose Register procedures are running: classes registered
// meanwhile belong to it and leave with it.
#pragma once

namespace vandrel {

class TPackage;

namespace detail {
const TPackage*& InstallingPackage();
}  // namespace detail

}  // namespace vandrel
