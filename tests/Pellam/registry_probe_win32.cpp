// The registry as advapi32 gives it; the cases come on standard input.
#include "Pellam/win32/advapi32_registry.hpp"
#include "tests/Pellam/registry_probe.hpp"

int main() {
  pellam::win32::Advapi32Registry registry;
  return testsupport::ProbeRegistry(registry, std::cin);
}
