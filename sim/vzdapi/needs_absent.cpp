// Makes vzdapi.dll import from tolvik_absent.dll, so that it loads only
// where that library is found.
extern "C" __declspec(dllimport) int TolvikAbsent();

extern "C" int TolvikNeedsAbsent() {
    return TolvikAbsent();
}
