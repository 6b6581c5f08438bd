// A library that vzdapi.dll's broken build imports from and that is never
// beside it.
extern "C" __declspec(dllexport) int TolvikAbsent() {
    return 0;
}
