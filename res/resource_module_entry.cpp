// Entry point of the language module for linkers that require one (lld): the module holds
// resources only and is loaded as data, so this never runs.
extern "C" int DllMainCRTStartup(void*, unsigned long, void*) { return 1; }
