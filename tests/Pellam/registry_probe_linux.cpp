// The registry of the prefix named by WINEPREFIX, read from its files; the
// cases come on standard input.
#include "Pellam/wine/wine_prefix_registry.hpp"
#include "tests/Pellam/registry_probe.hpp"

int main() {
  pellam::wine::WinePrefixRegistry registry(pellam::wine::WinePrefixRegistry::FindPrefix());
  return testsupport::ProbeRegistry(registry, std::cin);
}
