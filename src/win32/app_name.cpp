#include "win32/app_name.h"

namespace tolvik {

std::wstring AppNameFromPath(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace tolvik
