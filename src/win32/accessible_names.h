// Names for screen readers where the window has no label to give one, set
// by Direct Annotation. Windows reads them; Wine does not implement the
// annotation, and a failed one leaves the control as it was.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tolvik {

// Gives each control its name. A window that is named must be cleared
// before it is destroyed, or the names outlive it.
void SetAccessibleNames(const std::vector<std::pair<HWND, std::wstring>>& names);
void ClearAccessibleNames(const std::vector<HWND>& controls);

}  // namespace tolvik
