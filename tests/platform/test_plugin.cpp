// The library that the dynamic-library tests load: one exported function.
#ifdef _WIN32
#define PLATFORM_TEST_EXPORT __declspec(dllexport)
#else
#define PLATFORM_TEST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" PLATFORM_TEST_EXPORT int platform_test_multiply(int a, int b) {
    return a * b;
}
