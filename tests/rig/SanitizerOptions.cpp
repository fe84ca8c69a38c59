// Under AddressSanitizer, leaks are traced through Hamlib's frames too (it is built
// without frame pointers), so that the suppressions for Hamlib's own leaks in
// tests/lsan.supp name the Hamlib function and hide nothing of ours.

extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
