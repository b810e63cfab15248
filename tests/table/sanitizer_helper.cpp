// Leak checking for the table tests: the offscreen platform plugin never frees the screen and
// cursor it creates with the application object. Full stacks on allocation let that one origin
// be told apart from leaks of our own, which still fail the test.
extern "C" {
const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}
const char *__lsan_default_suppressions()
{
    return "leak:QGuiApplicationPrivate::createPlatformIntegration\n";
}
}
