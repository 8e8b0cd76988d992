// Open CASCADE's STEP translator keeps static tables it never frees; a sanitized build of the
// host would report them as leaks at every exit after a STEP export. Only its own allocations
// are ignored. (The hook is read by the leak checker alone; other builds never call it.)
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libTKSTEP\nleak:libTKXSBase\nleak:libTKSTEPBase\nleak:libTKSTEPAttr\n"
         "leak:libTKSTEP209\nleak:Standard_MMgrRaw::Allocate\nleak:Standard_MMgrRaw::Reallocate\n";
}

// The list of suppressions used would otherwise end every sanitized STEP export on stderr.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
