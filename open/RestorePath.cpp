// Checks on the names read from a cipher file, which may be damaged or crafted.
#include "RestorePath.h"

#include <cstring>

namespace {

bool IsDeviceName(const CString& component) {
  // A device keeps its meaning with any extension: "CON.txt" is still the console.
  const int dot = component.Find('.');
  CString base = dot >= 0 ? component.Left(dot) : component;
  while (!base.IsEmpty() && base[base.GetLength() - 1] == ' ') base = base.Left(base.GetLength() - 1);
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices) {
    if (lstrcmpiA(base, device) == 0) return true;
  }
  if (base.GetLength() == 4 && base[3] >= '1' && base[3] <= '9') {
    const CString stem = base.Left(3);
    if (lstrcmpiA(stem, "COM") == 0 || lstrcmpiA(stem, "LPT") == 0) return true;
  }
  return false;
}

bool IsSafeComponent(const CString& component) {
  if (component.IsEmpty()) return false;
  const char last = component[component.GetLength() - 1];
  if (last == '.' || last == ' ') return false;  // covers "." and "..", which Windows would also strip to them
  return !IsDeviceName(component);
}

}  // namespace

bool IsSafeRelativePath(const CString& path) {
  if (path.IsEmpty()) return false;
  if (path.Find(':') >= 0 || path.Find('/') >= 0) return false;
  for (int i = 0; i < path.GetLength(); ++i) {
    if (static_cast<unsigned char>(path[i]) < 0x20) return false;
  }
  CString rest = path;
  for (;;) {
    const int slash = rest.Find('\\');
    if (slash < 0) return IsSafeComponent(rest);
    if (!IsSafeComponent(rest.Left(slash))) return false;
    rest = rest.Mid(slash + 1);
  }
}

bool LiesInsideRoot(const CString& name, const CString& rootName) {
  const int rootLength = rootName.GetLength();
  return name.GetLength() > rootLength + 1 && std::strncmp(name, rootName, static_cast<size_t>(rootLength)) == 0 &&
         name[rootLength] == '\\';
}

int RootPrefixLength(const CString& rootName) { return rootName.ReverseFind('\\') + 1; }
